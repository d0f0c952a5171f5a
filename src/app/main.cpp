// The entry: no arguments, no environment; the update server is the built-in one.
#include "app/entry.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return trev::runUpdater(application, trev::builtInUpdateServer());
}
