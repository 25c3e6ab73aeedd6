// Counts the allocations through operator new made by the calling thread in
// a benchmark program (the replacement operators live in
// allocation_counter.cpp, linked into each), so a benchmark can show that a
// loop allocates nothing.
#pragma once

namespace bench {

long Allocations();

}  // namespace bench
