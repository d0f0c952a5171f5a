#include "update/help_pages.h"

#include "platform/codepage.h"
#include "platform/text_file.h"
#include "update/update_paths.h"

namespace trev {

namespace {

// The heading tags of the second heading do not match; browsers cope.
const std::vector<const char*> kHead = {
    "<html>",
    "<body>",
    "<font face='verdana' size=2>",
    "<h3><center>Ajuda</center></h3>",
};

const std::vector<const char*> kVersionsBody = {
    "<h4><center><font color= #0000FF>Atualizações Disponíveis</font></center></h3>",
    "<p align=\"justify\"> Na lista <b>Atualizações Disponíveis</b> serão",
    " exibidas todas as atualizações ainda não realizadas.<br>",
    " Serão disponibilizadas as informações: <b>Número da versão</b>,",
    "<b>Data de disponibilização</b> e <b>Descrição das principais modificações</b>.</p>",
};

const std::vector<const char*> kAddOnsBody = {
    "<h4><center><font color= #0000FF>Atualizações Adicionais Disponíveis</font></center></h3>",
    "<p align=\"justify\">",
    "Nesta lista contém atualizações adicionais que não fazem parte da versão do trevalmonte,",
    "mas podem ser adicionadas.<br>",
    "Não é obrigatório que sejam adicionadas, elas são novas funcionalidades, relatórios, impressos e outros,",
    "que foram solicitados.<br>",
    "Esta nova forma de atualização <b>MODULAR</b> foi criada para deixar",
    "o cliente com o total controle do que adicionar.<br>",
    "Para instalar:<br>",
    "1:Selecione a(s) atualização(ções) adicional (ais). <br>",
    "2:Clique no botão <b>Atualizar Agora</b>.",
    "</p>",
};

const std::vector<const char*> kTail = {
    "</font>",
    "</body>",
    "</html>",
};

void append(std::vector<std::string>& lines, const std::vector<const char*>& utf8Lines) {
    for (const char* line : utf8Lines) lines.push_back(utf8ToCp1252(line));
}

}  // namespace

std::vector<std::string> helpPageLines(HelpPage page) {
    std::vector<std::string> lines;
    append(lines, kHead);
    append(lines, page == HelpPage::Versions ? kVersionsBody : kAddOnsBody);
    append(lines, kTail);
    return lines;
}

void writeHelpPage(HelpPage page) {
    TextWriter writer(paths::kHelpPage);
    for (const std::string& line : helpPageLines(page)) writer.writeLine(line);
    writer.close();
}

}  // namespace trev
