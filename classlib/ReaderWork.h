#pragma once
// A count of the steps that readers of outside data take where their work could grow faster than
// their input: name comparisons and lookups, list searches, lines parsed. Tests point it at a
// counter of their own to prove a reader linear (the count for 4N items is about four times the
// count for N); otherwise no counter is set and counting costs one test of a pointer.
#include <cstdint>

// Sets the counter that CountReaderWork adds to (nullptr: none); answers the one it replaces.
uint64_t* SetReaderWorkCounter(uint64_t* counter);
void CountReaderWork(uint64_t steps = 1);
