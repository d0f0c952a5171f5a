#pragma once
// One application object for a whole test binary, never destroyed: Qt's test
// input devices are torn down at exit after it.
#include <QApplication>

namespace trev::test {

inline void ensureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "trev_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

}  // namespace trev::test
