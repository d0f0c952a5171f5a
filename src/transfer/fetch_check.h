#pragma once
// A check on every fetch of the update source: told before the transfer, sees
// each byte as it is written to the local file, and judges the file before the
// fetch returns, so that nothing uses a file it refused.
#include "platform/errors.h"
#include "platform/output_stream.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace trev {

// A check's refusal; one raised while the bytes arrive removes the partial file.
class FetchRefused : public Error {
public:
    using Error::Error;
};

class ReceivedBytes {
public:
    virtual ~ReceivedBytes() = default;
    // May raise, which ends the transfer like a failed write.
    virtual void received(const char* data, size_t size) = 0;
};

class FetchCheck : public ReceivedBytes {
public:
    // Raises to refuse the fetch before anything is transferred.
    virtual void starting(const std::string& remotePath) = 0;
    // Raises, after removing the local file, when it must not be used.
    virtual void finished(const std::string& remotePath, const std::string& localPath) = 0;
};

// Every write reaches the destination and the observer, in order.
class ObservedStream : public OutputStream {
public:
    ObservedStream(OutputStream& destination, ReceivedBytes& observer)
        : destination_(destination), observer_(observer) {}
    void write(const char* data, size_t size) override {
        observer_.received(data, size);
        destination_.write(data, size);
    }
    int64_t position() const override { return destination_.position(); }
    int64_t size() const override { return destination_.size(); }
    void setSize(int64_t size) override { destination_.setSize(size); }

private:
    OutputStream& destination_;
    ReceivedBytes& observer_;
};

}  // namespace trev
