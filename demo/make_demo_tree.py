#!/usr/bin/python3
"""Builds the demo: an install tree of the business application under a drive
folder and the update server's tree with three published versions."""
import os
import subprocess
import sys

DEMO = os.path.abspath(sys.argv[1])
DRIVE = os.path.join(DEMO, "drive_c")
ROOT = os.path.join(DRIVE, "Velor", "TREVALMONTE")
WWW = os.path.join(DEMO, "www")
ATUALIZA = os.path.join(WWW, "download", "atualiza")


def write(path, lines, end="\r\n"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(line + end for line in lines).encode("cp1252"))


def columns(*fields):
    """Fixed-width fields: (text, width) pairs."""
    return "".join(text.ljust(width)[:width] for text, width in fields)


VERSIONS = {
    "6002": ("6.0.0.2", "10/02/2014", "Cadastro de clientes", {
        "clientes.sql": [
            "CREATE TABLE CLIENTES (ID INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(60));",
            "COMMIT;",
            "INSERT INTO CLIENTES VALUES (1, 'Padaria Sol Nascente');",
            "INSERT INTO CLIENTES VALUES (2, 'Mercearia Boa Vista');",
        ]}),
    "6003": ("6.0.0.3", "24/03/2014", "Pedidos de venda e ajuste de clientes", {
        "pedidos.sql": [
            "CREATE TABLE PEDIDOS (ID INTEGER NOT NULL PRIMARY KEY,",
            " CLIENTE INTEGER, VALOR NUMERIC(12,2));",
            "COMMIT;",
            "INSERT INTO PEDIDOS VALUES (10, 1, 150.75);",
            "INSERT INTO PEDIDOS VALUES (11, 2, 89.90);",
        ],
        "ajuste_clientes.sql": [
            "ALTER TABLE CLIENTES ADD CIDADE VARCHAR(40);",
            "COMMIT;",
            "UPDATE CLIENTES SET CIDADE = 'Campinas';",
        ]}),
    "6004": ("6.0.0.4", "05/05/2014", "Produtos e estoque", {
        "produtos.sql": [
            "CREATE TABLE PRODUTOS (ID INTEGER NOT NULL PRIMARY KEY, DESCRICAO VARCHAR(60), ESTOQUE INTEGER);",
            "COMMIT;",
            "INSERT INTO PRODUTOS VALUES (100, 'Farinha de trigo 1 kg', 40);",
            "INSERT INTO PRODUTOS VALUES (101, 'A\u00e7\u00facar cristal 5 kg', 25);",
        ]}),
}

ADDONS = [
    ("RelVendas.exe", "Relatorio de Vendas", "12/04/2014", "Vendas por periodo e por cliente"),
    ("EtiqGondola.exe", "Etiquetas de Gondola", "30/04/2014", "Impressao de etiquetas de preco"),
]

EXECUTABLES = ["Trevalmonte.exe", "_instalador.exe", "manual.zip"]


def make_install_tree():
    for folder in ("CONFIG", "TEMP", "TXT", "ADICIONAIS"):
        os.makedirs(os.path.join(ROOT, folder), exist_ok=True)
    write(os.path.join(ROOT, "TXT", "trev_versao.txt"), ["6.0.0.1"])
    database = os.path.join(ROOT, "DB_TREVALMONTE.GDB")
    if os.path.exists(database):
        os.remove(database)
    script = ("CREATE DATABASE '%s' USER 'SYSDBA' PASSWORD 'ivorymint' DEFAULT CHARACTER SET WIN1252;\n"
              "CREATE TABLE EMPRESA (ID INTEGER NOT NULL PRIMARY KEY, NOME VARCHAR(60));\n"
              "INSERT INTO EMPRESA VALUES (1, 'Comercial Trevalmonte');\nCOMMIT;\n" % database)
    subprocess.run(["isql-fb", "-q"], input=script.encode(), check=True)


def publish(*arguments):
    """Runs trev-publish (its path in TREV_PUBLISH); returns what it printed."""
    done = subprocess.run([os.environ["TREV_PUBLISH"], *arguments], check=True, capture_output=True, text=True)
    return done.stdout


def make_server_tree():
    """The update server's tree as the vendor publishes it: with trev-publish, signed."""
    staging = os.path.join(DEMO, "publish-input")
    key = os.path.join(DEMO, "publisher.key")
    with open(os.path.join(DEMO, "publisher.pub"), "w") as f:
        f.write(publish("keygen", key).strip())
    for number, (label, date, description, scripts) in VERSIONS.items():
        paths = []
        for name, lines in scripts.items():
            paths.append(os.path.join(staging, number, name))
            write(paths[-1], lines)
        publish("version", ATUALIZA, "--number", number, "--label", label, "--date", date,
                "--description", description, *paths)
    for exe, name, date, text in ADDONS:
        write(os.path.join(staging, "adicionais", exe), ["add-on " + exe])
        publish("addon", ATUALIZA, os.path.join(staging, "adicionais", exe), "--name", name, "--date", date,
                "--description", text)
    programs = []
    for name in EXECUTABLES:
        programs.append(os.path.join(staging, "exe", name))
        write(programs[-1], ["#!/bin/sh", "echo " + name])
    publish("programs", ATUALIZA, *programs)
    publish("sign", ATUALIZA, "--key", key)


make_install_tree()
make_server_tree()
print(DEMO)
