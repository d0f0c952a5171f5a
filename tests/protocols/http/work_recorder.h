#pragma once
// Work events as text: "B100 W40 W100 E" (begin with the expected count, work with the total, end).
#include "protocols/work_events.h"

#include <string>

namespace trev::test {

struct WorkRecorder {
    std::string events;
    void* lastSender = nullptr;

    void attach(WorkHandlers& handlers) {
        handlers.OnWorkBegin = [this](void* sender, WorkMode mode, int64_t expected) {
            add(sender, mode, "B" + std::to_string(expected));
        };
        handlers.OnWork = [this](void* sender, WorkMode mode, int64_t count) {
            add(sender, mode, "W" + std::to_string(count));
        };
        handlers.OnWorkEnd = [this](void* sender, WorkMode mode) { add(sender, mode, "E"); };
    }

private:
    void add(void* sender, WorkMode mode, const std::string& event) {
        lastSender = sender;
        if (!events.empty()) events += " ";
        events += (mode == WorkMode::Read ? "" : "write:") + event;
    }
};

}  // namespace trev::test
