// Counts heap allocations of the whole process (malloc and its kin, which
// operator new and every C library use), for the benchmarks.
#pragma once

#include <cstdint>

uint64_t heapAllocations();
// Of those, the ones made through operator new: the C++ code's own (ours,
// FTGL's and the standard library's), apart from the C libraries (Mesa, Xlib).
uint64_t cppAllocations();
