// Live bytes on the C++ heap of this process: every operator new and delete
// of the test binary is counted, so a test can show that a sequence of
// operations gives back every byte it took.
#pragma once

#include <cstddef>

long long LiveHeapBytes();
long long HeapAllocationCount();
