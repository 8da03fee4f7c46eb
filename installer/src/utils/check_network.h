#pragma once

#include <cstdint>

namespace Utils {

// The connectivity flags in the low 16 bits and the verdict in the high 16:
// 0 connected (or the state cannot be learnt), 1 no connectivity at all,
// 2 some connectivity but not the internet. Runs on a worker thread.
int32_t CheckNetwork();

}  // namespace Utils
