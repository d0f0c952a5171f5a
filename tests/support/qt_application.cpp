#include "support/qt_application.h"

#include <QApplication>

namespace trev::test {

void ensureApplication() {
    if (QApplication::instance()) return;
    // Run by hand, a test binary still draws without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "trev_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace trev::test
