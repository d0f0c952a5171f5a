#pragma once
// Received bytes gathered into whole blocks. One socket read takes as much as has
// arrived, up to several blocks, while the caller still hands on, writes and
// reports complete blocks only, as if every read had been one block.
#include <cstddef>
#include <vector>

namespace trev {

class OutputStream;
class WorkTracker;

class BlockBuffer {
public:
    static constexpr size_t kBlockSize = 32768;
    // Larger reads cost the sender and the receiver fewer wake-ups per byte.
    static constexpr size_t kReadSize = 4 * kBlockSize;

    BlockBuffer() : data_(kReadSize) {}

    // Where the next read goes and how much it may take.
    char* space() { return data_.data() + size_; }
    size_t room() const { return data_.size() - size_; }
    void received(size_t count) { size_ += count; }

    // The bytes held, the complete blocks first.
    const char* data() const { return data_.data(); }
    size_t size() const { return size_; }
    size_t wholeBlocks() const { return size_ / kBlockSize * kBlockSize; }

    // Writes the first count bytes to out and forgets them; with a tracker, one
    // read event per block (the last may be shorter).
    void handOn(size_t count, OutputStream& out, WorkTracker* tracker);
    void clear() { size_ = 0; }

private:
    std::vector<char> data_;
    size_t size_ = 0;
};

}  // namespace trev
