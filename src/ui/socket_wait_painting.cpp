#include "ui/socket_wait_painting.h"

#include "platform/socket_wait_hook.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace trev {

void keepPaintingDuringSocketWaits() {
    setSocketWaitHook([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
}

}  // namespace trev
