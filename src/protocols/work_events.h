#pragma once
// Progress of a transfer: begin (expected count), work (count so far), end.
// Begin/end pairs nest per work mode; only the outermost pair is reported.
#include <cstdint>
#include <functional>

namespace trev {

enum class WorkMode { Read = 0, Write = 1 };

struct WorkHandlers {
    std::function<void(void* sender, WorkMode mode, int64_t expected)> OnWorkBegin;
    std::function<void(void* sender, WorkMode mode, int64_t count)> OnWork;
    std::function<void(void* sender, WorkMode mode)> OnWorkEnd;
};

class WorkTracker {
public:
    explicit WorkTracker(void* sender) : sender_(sender) {}
    WorkHandlers handlers;

    void beginWork(WorkMode mode, int64_t expected);
    // Adds to the running count; reported only inside a begin/end pair.
    void doWork(WorkMode mode, int64_t count);
    void endWork(WorkMode mode);

private:
    struct Level {
        int depth = 0;
        int64_t expected = 0;
        int64_t count = 0;
    };
    Level& level(WorkMode mode) { return levels_[static_cast<int>(mode)]; }
    void* sender_;
    Level levels_[2];
};

}  // namespace trev
