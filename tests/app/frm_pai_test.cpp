#include "app/frm_pai.h"

#include "settings/frm_config.h"
#include "support/main_window_test.h"
#include "transfer/data_web.h"
#include "ui/application.h"
#include "update/frm_atualiza_web.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace trev {
namespace {

class FrmPaiTest : public webtest::MainWindowTest {
protected:
    QListWidget* list() { return window->findChild<QListWidget*>("ListView1"); }
    QTimer* timer() { return window->findChild<QTimer*>("TmrFecha"); }
    void select(int row) { list()->setCurrentRow(row); }
};

TEST_F(FrmPaiTest, LayoutOfTheWindow) {
    EXPECT_EQ(window->windowTitle(), "Atualizador Trevalmonte ");
    EXPECT_EQ(window->size(), QSize(556, 435));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
    struct Placement {
        const char* name;
        QRect geometry;
    } placements[] = {
        {"ListView1", {0, 0, 101, 416}}, {"Shape2", {101, 0, 1, 416}},    {"pnPai", {102, 0, 454, 416}},
        {"Image1", {28, 34, 377, 327}},  {"StatusBar1", {0, 416, 556, 19}},
    };
    for (const auto& p : placements) {
        auto* widget = window->findChild<QWidget*>(p.name);
        ASSERT_TRUE(widget) << p.name;
        EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
    }
    auto* image = window->findChild<QLabel*>("Image1");
    EXPECT_EQ(image->pixmap().size(), QSize(377, 327));
    auto* tela = window->findChild<QLabel*>("Label3");
    EXPECT_EQ(tela->text(), "Tela 00");
    EXPECT_EQ(tela->pos(), QPoint(388, 4));
    ASSERT_EQ(list()->count(), 3);
    EXPECT_EQ(list()->item(0)->text(), QString::fromUtf8("Atualização via Web"));
    EXPECT_EQ(list()->item(1)->text(), QString::fromUtf8("Configuração"));
    EXPECT_EQ(list()->item(2)->text(), "Sair");
    EXPECT_EQ(timer()->interval(), 800);
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(window->TcpEnvia.RemoteHost, "127.0.0.1");
    EXPECT_EQ(window->TcpEnvia.RemotePort, "999001");
}

TEST_F(FrmPaiTest, FormShowLoadsSettingsSetsTextsAndArmsTheTimer) {
    drive.put("VELOR/TREVALMONTE/CONFIG/ATUTREV.CFG", "F\r\n");
    drive.put("VELOR/TREVALMONTE/CONFIG/Proxy.cfg", "proxy.lan\r\n3128\r\n\r\n\r\nN\r\nN\r\n");
    window->show();
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(window->protocol(), Protocol::Ftp);
    EXPECT_EQ(DataWeb->HTTP.ProxyParams.ProxyServer(), "proxy.lan");
    EXPECT_EQ(window->statusText(0), "Vers\xE3o: 6 - 2014");
    EXPECT_EQ(window->statusText(1), "Selecione a op\xE7\xE3o");
    window->hide();
    window->show();  // shown again: not a second FormShow
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(FrmPaiTest, SettingsErrorOfFormShowIsDisplayed) {
    drive.put("VELOR/TREVALMONTE/CONFIG/Proxy.cfg", "proxy.lan\r\nporta\r\n");
    window->show();
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Invalid numeric input."});
    EXPECT_EQ(messages.captions, std::vector<std::string>{"Atualizador Trevalmonte"});
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FrmPaiTest, ClickOnNoItemDoesNothing) {
    showWithoutTimer();
    select(1);
    // A press on empty space below the items clears the selection first.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(50, 400));
    EXPECT_EQ(FrmAtualizaWeb, nullptr);
    EXPECT_EQ(FrmConfig, nullptr);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FrmPaiTest, ClickOnAnItemEmbedsItsScreen) {
    showWithoutTimer();
    QRect item1 = list()->visualItemRect(list()->item(1));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, item1.center());
    ASSERT_NE(FrmConfig, nullptr);
    EXPECT_EQ(FrmConfig->parentWidget(), window->contentPanel());
    EXPECT_EQ(FrmConfig->pos(), QPoint(0, 0));
    EXPECT_TRUE(FrmConfig->isVisible());
}

TEST_F(FrmPaiTest, ItemZeroBeforeTheTimerMakesTheOnlyWebScreen) {
    showWithoutTimer();
    select(0);
    window->ListView1Click();
    QPointer<TFrmAtualizaWeb> first = FrmAtualizaWeb;
    ASSERT_TRUE(first);
    select(1);
    window->ListView1Click();
    window->TmrFechaTimer();
    EXPECT_EQ(FrmAtualizaWeb, first.data());
    EXPECT_EQ(window->contentPanel()->children().last(), first.data()) << "brought to the front again";
    EXPECT_FALSE(timer()->isActive());
    EXPECT_TRUE(list()->isEnabled());
    EXPECT_EQ(Application::cursor(), Application::Cursor::Default);
}

TEST_F(FrmPaiTest, CloseRequestWithNobodyListeningStillOpensTheWebScreen) {
    showWithoutTimer();
    window->TmrFechaTimer();
    ASSERT_NE(FrmAtualizaWeb, nullptr);
    EXPECT_TRUE(FrmAtualizaWeb->isVisible());
    EXPECT_EQ(FrmAtualizaWeb->parentWidget(), window->contentPanel());
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_TRUE(list()->isEnabled());
}

TEST_F(FrmPaiTest, ExitWithNoScreenClosesTheWindow) {
    showWithoutTimer();
    select(2);
    window->ListView1Click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(FrmAtualizaWeb, nullptr);
}

TEST_F(FrmPaiTest, ExitDuringARunningHandlerWaitsUntilItReturns) {
    showWithoutTimer();
    select(1);
    window->ListView1Click();
    QPointer<TFrmConfig> screen = FrmConfig;
    bool aliveInsideHandler = false;
    QEventLoop loop;
    // A long handler lets events run; the exit click arrives meanwhile.
    QTimer::singleShot(0, [&] {
        Application::guarded([&] {
            QMetaObject::invokeMethod(
                window.get(),
                [&] {
                    select(2);
                    Application::guarded([&] { window->ListView1Click(); });
                },
                Qt::QueuedConnection);
            Application::processMessages();
            Application::processMessages();
            aliveInsideHandler = !screen.isNull();
        });
        loop.quit();
    });
    loop.exec();
    EXPECT_TRUE(aliveInsideHandler);
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(FrmConfig, nullptr);
}

}  // namespace
}  // namespace trev
