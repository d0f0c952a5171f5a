#pragma once
// The client library's handle type, as its header defines it, without that header.
#include <cstdint>

namespace trev {

#if INTPTR_MAX > INT32_MAX
using DbHandle = unsigned int;
#else
using DbHandle = void*;
#endif

}  // namespace trev
