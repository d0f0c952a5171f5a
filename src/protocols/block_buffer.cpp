#include "protocols/block_buffer.h"

#include "platform/output_stream.h"
#include "protocols/work_events.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace trev {

void BlockBuffer::handOn(size_t count, OutputStream& out, WorkTracker* tracker) {
    if (count == 0) return;
    out.write(data_.data(), count);
    for (size_t at = 0; tracker && at < count; at += kBlockSize)
        tracker->doWork(WorkMode::Read, static_cast<int64_t>(std::min(kBlockSize, count - at)));
    // Callers hand on whole blocks, so what moves is less than one block.
    std::memmove(data_.data(), data_.data() + count, size_ - count);
    size_ -= count;
}

}  // namespace trev
