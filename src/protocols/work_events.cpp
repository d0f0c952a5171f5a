#include "protocols/work_events.h"

namespace trev {

void WorkTracker::beginWork(WorkMode mode, int64_t expected) {
    Level& l = level(mode);
    if (++l.depth != 1) return;
    l.expected = expected;
    l.count = 0;
    if (handlers.OnWorkBegin) handlers.OnWorkBegin(sender_, mode, expected);
}

void WorkTracker::doWork(WorkMode mode, int64_t count) {
    Level& l = level(mode);
    if (l.depth < 1) return;
    l.count += count;
    if (handlers.OnWork) handlers.OnWork(sender_, mode, l.count);
}

void WorkTracker::endWork(WorkMode mode) {
    Level& l = level(mode);
    if (l.depth == 1 && handlers.OnWorkEnd) handlers.OnWorkEnd(sender_, mode);
    if (l.depth > 0) --l.depth;
}

}  // namespace trev
