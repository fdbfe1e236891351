#pragma once
// The clock and the statistics of the benchmarks: seconds from the performance counter, and the
// median, lowest and highest of a run's times.
#include <algorithm>
#include <vector>
#include "classlib/Win.h"

inline double SecondsNow()
{
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

struct TStats {
  double Median, Low, High;
};

inline TStats Stats(std::vector<double> times)
{
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front(), times.back()};
}
