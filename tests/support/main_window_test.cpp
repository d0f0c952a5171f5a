#include "support/main_window_test.h"

#include "support/qt_application.h"
#include "ui/application.h"

#include <QCoreApplication>
#include <QTimer>

namespace trev::webtest {

void MainWindowTest::SetUpTestSuite() {
    test::ensureApplication();
    Application::setTitle("Atualizador Trevalmonte");
}

void MainWindowTest::SetUp() {
    window = std::make_unique<TFrmPai>(UpdateServer{"127.0.0.1", 1, 1});
    FrmPai = window.get();
}

void MainWindowTest::TearDown() {
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void MainWindowTest::showWithoutTimer() {
    window->show();
    window->findChild<QTimer*>("TmrFecha")->stop();
}

}  // namespace trev::webtest
