#pragma once
// Pools rounds with made-up chances, spread as in a real round: the favourite
// of each match has 40 to 65 per cent. Used by the tests and the benchmark.

#include "document/PoolsDocument.h"

#include <cstdint>

namespace vdx {

// A document of the given size with chances for every match and planned tip
// counts, no lines and no conditions switched on; the same seed gives the same document.
PoolsDocument MakeSampleRound(int matches, int lines, uint32_t seed);

} // namespace vdx
