#pragma once
// The two measures every benchmark program takes by hand: the wall time of
// one piece of work, and the median of several runs.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace vt::bench {

inline double secondsOf(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace vt::bench
