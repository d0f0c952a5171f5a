#pragma once
// What the fuzz targets share: the input as a peer that sends it in pieces, as
// lines, or as a file on a drive of its own.
#include "platform/file_stream.h"
#include "platform/paths.h"
#include "protocols/line_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace trev::fuzz {

inline std::string text(const uint8_t* data, size_t size) { return std::string(reinterpret_cast<const char*>(data), size); }

// The first byte sets the piece size, so the parsers meet every way a line can be split.
class PiecewiseSource : public ByteSource {
public:
    PiecewiseSource(const uint8_t* data, size_t size)
        : piece_(size > 0 ? data[0] % 64 + 1 : 1), bytes_(size > 0 ? text(data + 1, size - 1) : std::string()) {}
    long receive(char* buffer, size_t size, int) override {
        size_t n = std::min({size, piece_, bytes_.size() - offset_});
        std::memcpy(buffer, bytes_.data() + offset_, n);
        offset_ += n;
        return static_cast<long>(n);
    }

private:
    size_t piece_;
    std::string bytes_;
    size_t offset_ = 0;
};

// A destination like a file: its size may be set far ahead without taking memory.
class DiscardingStream : public OutputStream {
public:
    void write(const char*, size_t size) override {
        position_ += static_cast<int64_t>(size);
        size_ = std::max(size_, position_);
    }
    int64_t position() const override { return position_; }
    int64_t size() const override { return size_; }
    void setSize(int64_t size) override {
        size_ = size;
        position_ = std::min(position_, size);
    }

private:
    int64_t position_ = 0;
    int64_t size_ = 0;
};

inline std::vector<std::string> lines(const std::string& all) {
    std::vector<std::string> result(1);
    for (char c : all) {
        if (c == '\n') result.emplace_back();
        else result.back() += c;
    }
    return result;
}

// A drive C: of the process's own, made once.
inline void useOwnDrive() {
    static const bool ready = [] {
        char pattern[] = "/tmp/trev-fuzz-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        setDriveRoot(pattern);
        return true;
    }();
    (void)ready;
}

// The input written as that file (its folders made as needed).
inline void writeFile(const std::string& windowsPath, const std::string& bytes) {
    useOwnDrive();
    std::string folder = windowsPath.substr(0, windowsPath.rfind('\\'));
    forceDirectories(folder);
    // A new file each time: truncating one makes the file system flush it at every close.
    deleteFile(windowsPath);
    FileStream file(windowsPath);
    file.write(bytes.data(), bytes.size());
    file.close();
}

}  // namespace trev::fuzz
