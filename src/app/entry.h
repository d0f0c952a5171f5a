#pragma once
// The program's road from start to end: title, main window, data module, event
// loop, and the release of everything when the loop ends (which commits the
// update's database work).
#include "transfer/update_server.h"

class QApplication;

namespace trev {

int runUpdater(QApplication& application, const UpdateServer& server);

}  // namespace trev
