#pragma once
// A binary file created anew for writing: the destination of every download.
#include "platform/output_stream.h"

#include <cstdint>
#include <string>

namespace trev {

class FileStream : public OutputStream {
public:
    // Creates the file anew (an existing one is truncated);
    // raises "Cannot create file "%s". %s" when it cannot.
    explicit FileStream(const std::string& windowsPath);
    ~FileStream();
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    void write(const char* data, size_t size) override;
    int64_t position() const override { return position_; }
    int64_t size() const override;
    void setSize(int64_t size) override;
    void close();

private:
    int fd_ = -1;
    int64_t position_ = 0;
};

}  // namespace trev
