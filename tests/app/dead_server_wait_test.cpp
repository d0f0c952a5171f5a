// A version check waiting for a server that never answers: the main window goes on
// painting, and clicks wait until the check lets events run.
#include "app/frm_pai.h"
#include "peers/stalled_listener.h"
#include "ui/application.h"
#include "platform/socket_wait_hook.h"
#include "support/qt_application.h"
#include "support/web_test_support.h"
#include "transfer/data_web.h"
#include "update/frm_atualiza_web.h"
#include "settings/frm_config.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

#include <memory>

namespace trev {
namespace {

// Counts paints of the window and notes when the first one after a request came.
class PaintWatch : public QObject {
public:
    void request(QWidget* window) {
        since.start();
        delayMs = -1;
        window->update();
    }
    QElapsedTimer since;
    qint64 delayMs = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && delayMs < 0 && since.isValid()) delayMs = since.elapsed();
        return false;
    }
};

// A click as the window system delivers it: queued, not sent at once.
void queueClick(QWidget* widget, QPoint local) {
    QWindow* window = widget->window()->windowHandle();
    const QPoint at = widget->mapTo(widget->window(), local);
    const QPoint global = widget->mapToGlobal(local);
    using WSI = QWindowSystemInterface;
    WSI::handleMouseEvent<WSI::AsynchronousDelivery>(window, at, global, Qt::LeftButton, Qt::LeftButton,
                                                     QEvent::MouseButtonPress);
    WSI::handleMouseEvent<WSI::AsynchronousDelivery>(window, at, global, Qt::NoButton, Qt::LeftButton,
                                                     QEvent::MouseButtonRelease);
}

TEST(DeadServerWait, WindowPaintsAndClicksStartNothing) {
    test::ensureApplication();
    webtest::InstallTree tree;
    tree.write("TXT/trev_versao.txt", "6.0.0.1\r\n");
    webtest::CapturedMessages messages;
    peers::StalledListener dead;
    webtest::GlobalDataWeb dataWeb;
    DataWeb->HTTP.ConnectTimeoutMs = 2000;
    auto window = std::make_unique<TFrmPai>(UpdateServer{"127.0.0.1", dead.port(), dead.port()});
    FrmPai = window.get();
    window->show();
    window->findChild<QTimer*>("TmrFecha")->stop();
    PaintWatch paints;
    window->installEventFilter(&paints);

    int updateClicks = 0;
    bool configDuringWait = true;
    bool checkRunning = false;
    window->ShowEmbeddedScreen(TFrmPai::Screen::AtualizaWeb);
    QObject::connect(FrmAtualizaWeb->BtnAtualizar, &QPushButton::clicked, [&] { ++updateClicks; });
    QTimer::singleShot(400, [&] {
        checkRunning = messages.texts.empty();
        FrmAtualizaWeb->RadioButton2->setChecked(true);  // enables "Atualizar Agora"
        paints.request(window.get());
        QPushButton* update = FrmAtualizaWeb->BtnAtualizar;
        queueClick(update, update->rect().center());
        auto* list = window->findChild<QListWidget*>("ListView1");
        queueClick(list->viewport(), list->visualItemRect(list->item(1)).center());
    });
    QTimer::singleShot(1200, [&] { configDuringWait = FrmConfig != nullptr || updateClicks > 0; });
    ASSERT_TRUE(webtest::waitFor([&] { return !messages.texts.empty(); }, 10000));

    EXPECT_TRUE(checkRunning) << "the check ended before the wait was looked at";
    EXPECT_GE(paints.delayMs, 0) << "no paint during the wait";
    EXPECT_LT(paints.delayMs, 200);
    EXPECT_FALSE(configDuringWait) << "a click ran during the wait";
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setSocketWaitHook({});
}

}  // namespace
}  // namespace trev
