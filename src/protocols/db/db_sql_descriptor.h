#pragma once
// Internal to the session's .cpp files: a descriptor of a statement's input or
// output columns, with room for their values.
#include <ibase.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace trev {

class SqlDescriptor {
public:
    // Room for count columns; the library fills in what they are.
    void resize(int count);
    XSQLDA* get() { return reinterpret_cast<XSQLDA*>(area_.get()); }
    bool tooSmall() { return get()->sqld > get()->sqln; }
    int reportedCount() { return get()->sqld; }
    // Gives every described column a value area; with allNull, each is sent as NULL.
    void allocateValues(bool allNull);

private:
    std::unique_ptr<int64_t[]> area_;
    std::vector<std::vector<int64_t>> values_;
    std::vector<ISC_SHORT> indicators_;
};

}  // namespace trev
