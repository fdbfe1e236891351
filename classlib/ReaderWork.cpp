#include "classlib/ReaderWork.h"

#include <atomic>

namespace {
std::atomic<uint64_t*> GCounter{nullptr};
}

uint64_t* SetReaderWorkCounter(uint64_t* counter) { return GCounter.exchange(counter); }

void CountReaderWork(uint64_t steps)
{
  if (uint64_t* counter = GCounter.load(std::memory_order_relaxed)) *counter += steps;
}
