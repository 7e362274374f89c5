#pragma once
// Splitting pixel work over the machine's cores. Each band's result must not
// depend on the others, so the outcome is the same at any thread count.

#include <algorithm>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace ocr {

// Below this much work per band a thread costs more than it saves.
inline constexpr std::size_t kMinimumBandWork = std::size_t{1} << 19;

// How many bands `count` items of `work_per_item` each are worth splitting
// into: at most one per core, and at most four.
inline std::size_t band_count(std::size_t count, std::size_t work_per_item) {
  const std::size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  const std::size_t total = count * std::max<std::size_t>(work_per_item, 1);
  return std::clamp<std::size_t>(total / kMinimumBandWork, 1,
                                 std::min(cores, std::max<std::size_t>(count, 1)));
}

// Calls body(begin, end) for `bands` contiguous ranges covering [0, count),
// the first on the calling thread. A helper thread that cannot be started
// leaves its range to the calling thread, so the work is always done. An
// exception from any range reaches the caller once every thread has ended.
template <class Body>
void for_each_band(std::size_t count, std::size_t bands, const Body& body) {
  bands = std::clamp<std::size_t>(bands, 1, std::max<std::size_t>(count, 1));
  const auto begin_of = [&](std::size_t band) { return band * count / bands; };
  std::vector<std::exception_ptr> failures(bands);
  const auto run = [&](std::size_t band) noexcept {
    try {
      body(begin_of(band), begin_of(band + 1));
    } catch (...) {
      failures[band] = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  std::size_t started = 1;
  for (; started < bands; ++started) {
    try {
      helpers.emplace_back(run, started);
    } catch (...) {
      break;
    }
  }
  run(0);
  for (std::size_t band = started; band < bands; ++band) run(band);
  for (auto& helper : helpers) helper.join();
  for (const auto& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace ocr
