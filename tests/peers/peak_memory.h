#pragma once
// How far a hostile exchange pushed this test process's memory: the growth of
// its peak resident size since the measure began. Meaningful when each case
// runs in its own process, as the per-case test entries do.
#include "peers/peer_system.h"

#include <cstdint>

namespace trev::peers {

class PeakMemoryGrowth {
public:
    // A generous bound: far above what a bounded client keeps, far below what an unbounded one reaches.
    static constexpr int64_t Bound = int64_t{64} << 20;

    PeakMemoryGrowth() : start_(peakResidentBytes()) {}
    int64_t bytes() const { return peakResidentBytes() - start_; }

private:
    int64_t start_;
};

}  // namespace trev::peers
