#!/usr/bin/env bash
# What the unattended demo update left behind: tables and rows in the database,
# the menu file, the master list of scripts, the downloaded files and the log.
set -uo pipefail
demo=$1
root="$demo/drive_c/Velor/TREVALMONTE"
echo
echo "== Tables in the database and their rows"
isql-fb -q -ch UTF8 -u SYSDBA -p ivorymint "$root/DB_TREVALMONTE.GDB" <<'SQL' | sed '/^$/d'
SELECT TRIM(RDB$RELATION_NAME) AS TABELA FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0 ORDER BY 1;
SELECT * FROM CLIENTES;
SELECT * FROM PEDIDOS;
SELECT * FROM PRODUTOS;
SQL
echo
echo "== CONFIG/MENU.CFG"
cat "$root/CONFIG/MENU.CFG" 2>/dev/null | tr -d '\r' || echo "(none)"
echo
echo "== TEMP/SQL/ListaMestre.txt"
cat "$root/TEMP/SQL/ListaMestre.txt" 2>/dev/null | tr -d '\r' || echo "(none)"
echo
echo "== Downloaded"
(cd "$root" && find TEMP ADICIONAIS -type f | sort)
echo
echo "== The publisher's signed manifest, as the updater accepted it"
iconv -f WINDOWS-1252 -t UTF-8 "$root/TEMP/ATUALIZACAO.LOG" 2>/dev/null | tr -d '\r' | grep "Manifesto assinado aceito" || echo "(not accepted)"
echo
echo "== TEMP/ATUALIZACAO.LOG"
iconv -f WINDOWS-1252 -t UTF-8 "$root/TEMP/ATUALIZACAO.LOG" 2>/dev/null | tr -d '\r' || echo "(none)"
echo
echo "Pictures of each phase: $demo/pictures"
