#pragma once
// Where a download's bytes go: a file, or memory for an error body.
#include <cstdint>
#include <string>

namespace trev {

class OutputStream {
public:
    virtual ~OutputStream() = default;
    virtual void write(const char* data, size_t size) = 0;
    virtual int64_t position() const = 0;
    virtual int64_t size() const = 0;
    // Grows or cuts; a position beyond a cut end moves to the end.
    virtual void setSize(int64_t size) = 0;
};

class MemoryStream : public OutputStream {
public:
    void write(const char* data, size_t size) override {
        if (position_ + static_cast<int64_t>(size) > static_cast<int64_t>(data_.size())) data_.resize(position_ + size);
        data_.replace(position_, size, data, size);
        position_ += static_cast<int64_t>(size);
    }
    int64_t position() const override { return position_; }
    int64_t size() const override { return static_cast<int64_t>(data_.size()); }
    void setSize(int64_t size) override {
        data_.resize(static_cast<size_t>(size));
        if (position_ > size) position_ = size;
    }
    const std::string& data() const { return data_; }

private:
    std::string data_;
    int64_t position_ = 0;
};

}  // namespace trev
