#pragma once
// A binary file created anew for writing: the destination of every download.
// It never takes the volume below its free-space floor (disk_space.h) and never
// grows past the size limit it was given; either refusal deletes the file.
#include "platform/errors.h"
#include "platform/output_stream.h"

#include <cstdint>
#include <string>

namespace trev {

class FileStream : public OutputStream {
public:
    static constexpr int64_t kNoSizeLimit = -1;
    // The most a file grows between two looks at the volume's free space.
    static constexpr int64_t kSpaceCheckInterval = int64_t{64} << 20;

    // Creates the file anew (an existing one is truncated);
    // raises "Cannot create file "%s". %s" when it cannot.
    explicit FileStream(const std::string& windowsPath, int64_t sizeLimit = kNoSizeLimit);
    ~FileStream();
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    void write(const char* data, size_t size) override;
    int64_t position() const override { return position_; }
    int64_t size() const override;
    void setSize(int64_t size) override;
    void close();

private:
    // Raises, after deleting the file, when growing it to newEnd would pass the
    // size limit or leave the volume below its floor.
    void makeRoomFor(int64_t newEnd);
    [[noreturn]] void abandon(const FileError& reason);
    // Each side's own.
    void writeAt(const char* data, size_t size);
    void resize(int64_t size);
    int64_t currentSize() const;
    int64_t allocatedBytes() const;
    void closeHandle() noexcept;

    std::string windowsPath_;
    int64_t sizeLimit_;
    int fd_ = -1;
    int64_t position_ = 0;
    int64_t roomUpTo_ = -1;  // the file may grow to here before the volume is asked again
    bool abandoned_ = false;
};

}  // namespace trev
