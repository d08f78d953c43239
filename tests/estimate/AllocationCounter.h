#pragma once

// Linking AllocationCounter.cpp replaces the global operator new of the program so that every allocation
// is counted; benchmarks compare the count before and after their timed loop.
long AllocationCount();
