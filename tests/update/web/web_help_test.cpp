// The help links: the page written and the help window shown and freed.
#include "platform/codepage.h"
#include "support/qt_application.h"
#include "support/web_test_support.h"
#include "ui/controls.h"
#include "update/frm_ajuda.h"
#include "update/frm_atualiza_web.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace trev {
namespace {

std::string page(const std::vector<std::string>& utf8Lines) {
    std::string bytes;
    for (const std::string& line : utf8Lines) bytes += utf8ToCp1252(line) + "\r\n";
    return bytes;
}

const std::string kVersionsPage = page({
    "<html>",
    "<body>",
    "<font face='verdana' size=2>",
    "<h3><center>Ajuda</center></h3>",
    "<h4><center><font color= #0000FF>Atualizações Disponíveis</font></center></h3>",
    "<p align=\"justify\"> Na lista <b>Atualizações Disponíveis</b> serão",
    " exibidas todas as atualizações ainda não realizadas.<br>",
    " Serão disponibilizadas as informações: <b>Número da versão</b>,",
    "<b>Data de disponibilização</b> e <b>Descrição das principais modificações</b>.</p>",
    "</font>",
    "</body>",
    "</html>",
});

struct Shown {
    QPointer<TFrmAjuda> window;
    bool isGlobal = false;
    bool modal = false;
    QString caption;
    QSize size;
    QString text;
};

class HelpLinks : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::ensureApplication(); }
    void SetUp() override {
        screen_ = std::make_unique<TFrmAtualizaWeb>(nullptr, webtest::standaloneHost());
        screen_->Timer1->stop();
        screen_->show();
    }

    // Clicks the link; once the help window is up, records it and presses "&Fechar".
    Shown click(QWidget* link) {
        Shown shown;
        QTimer watcher;
        int attempts = 0;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            auto* window = qobject_cast<TFrmAjuda*>(QApplication::activeModalWidget());
            if (!window) {
                if (++attempts > 2000) watcher.stop();
                return;
            }
            watcher.stop();
            shown = {window, window == FrmAjuda, window->isModal(), window->windowTitle(), window->size(),
                     window->WebBrowser1->toPlainText()};
            window->BitBtn1->click();
        });
        watcher.start(10);
        QTest::mouseClick(link, Qt::LeftButton);
        return shown;
    }

    webtest::InstallTree tree_;
    webtest::CapturedMessages messages_;
    std::unique_ptr<TFrmAtualizaWeb> screen_;
};

TEST_F(HelpLinks, EachLinkWritesItsPageAndShowsItInANewWindow) {
    Shown first = click(screen_->Label7);
    ASSERT_TRUE(first.isGlobal);
    EXPECT_TRUE(first.modal);
    EXPECT_EQ(first.caption, "Ajuda");
    EXPECT_EQ(first.size, QSize(394, 350));
    EXPECT_TRUE(first.text.contains(QString::fromUtf8("Atualizações Disponíveis")));
    EXPECT_TRUE(first.text.contains(QString::fromUtf8("Número da versão")));
    EXPECT_EQ(first.window, nullptr);
    EXPECT_EQ(FrmAjuda, nullptr);
    EXPECT_EQ(tree_.read("TEMP/AJU001.HTML"), kVersionsPage);

    Shown second = click(screen_->Label8);
    ASSERT_TRUE(second.isGlobal);
    EXPECT_TRUE(second.text.contains(QString::fromUtf8("Nesta lista contém")));
    EXPECT_EQ(second.window, nullptr);
    std::string bytes = tree_.read("TEMP/AJU001.HTML");
    EXPECT_EQ(bytes.substr(0, kVersionsPage.find("<h4>")), kVersionsPage.substr(0, kVersionsPage.find("<h4>")));
    EXPECT_NE(bytes.find(page({"<h4><center><font color= #0000FF>Atualizações Adicionais Disponíveis</font></center></h3>",
                               "<p align=\"justify\">", "Nesta lista contém atualizações adicionais que não fazem parte "
                                                        "da versão do trevalmonte,"})),
              std::string::npos);
    EXPECT_NE(bytes.find(page({"1:Selecione a(s) atualização(ções) adicional (ais). <br>",
                               "2:Clique no botão <b>Atualizar Agora</b>.", "</p>", "</font>", "</body>", "</html>"})),
              std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 19);
    EXPECT_EQ(bytes.find("Na lista"), std::string::npos);
    EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(HelpLinks, NoTempFolderShowsTheErrorAndNoWindow) {
    webtest::InstallTree noTemp(false);
    Shown shown = click(screen_->Label7);
    EXPECT_FALSE(shown.isGlobal);
    ASSERT_EQ(messages_.texts.size(), 1u);
    EXPECT_EQ(FrmAjuda, nullptr);
}

}  // namespace
}  // namespace trev
