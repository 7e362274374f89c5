#include "pdf/page_compression.hpp"

#include <algorithm>
#include <atomic>
#include <thread>

#include "pdf/zlib_compress.hpp"

namespace pdf {

namespace {

// More threads than this only add memory: each holds a page-sized buffer.
constexpr unsigned kMaxThreads = 8;

}  // namespace

unsigned default_compression_threads() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
}

std::vector<std::vector<std::uint8_t>> compress_pages(std::span<const PdfPage> pages,
                                                      std::span<const std::size_t> indices,
                                                      unsigned threads) {
  std::vector<std::vector<std::uint8_t>> results(indices.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&]() noexcept {
    for (std::size_t k = next.fetch_add(1); k < indices.size(); k = next.fetch_add(1)) {
      try {
        results[k] = compress_zlib(pages[indices[k]].rgb);
      } catch (...) {
        results[k].clear();
      }
    }
  };

  const std::size_t helpers =
      std::min<std::size_t>(std::max(threads, 1u), indices.size()) - (indices.empty() ? 0 : 1);
  std::vector<std::thread> pool;
  for (std::size_t t = 0; t < helpers; ++t) {
    try {
      pool.emplace_back(work);
    } catch (...) {
      break;
    }
  }
  work();
  for (auto& thread : pool) thread.join();
  return results;
}

}  // namespace pdf
