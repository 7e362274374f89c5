#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <zlib.h>

#include <vector>

#include "pdf/searchable_pdf.hpp"
#include "scan_like_page.hpp"

namespace {

constexpr int kPages = 10;

const std::vector<pdf::PdfPage>& ten_a4_pages() {
  static const std::vector<pdf::PdfPage> pages = [] {
    std::vector<pdf::PdfPage> result;
    for (int i = 0; i < kPages; ++i) result.push_back(pdf_bench::scan_like_page(i + 1));
    return result;
  }();
  return pages;
}

// The reference: the same pixel bytes through zlib at level 6, one page after
// the other on one thread.
void BM_ZlibLevel6SingleThread(benchmark::State& state) {
  const auto& pages = ten_a4_pages();
  std::size_t compressed = 0;
  for (auto _ : state) {
    compressed = 0;
    for (const auto& page : pages) {
      uLongf size = compressBound(page.rgb.size());
      std::vector<Bytef> out(size);
      compress2(out.data(), &size, page.rgb.data(), page.rgb.size(), 6);
      compressed += size;
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.counters["output_bytes"] = static_cast<double>(compressed);
}
BENCHMARK(BM_ZlibLevel6SingleThread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LibdeflateLevel6SingleThread(benchmark::State& state) {
  const auto& pages = ten_a4_pages();
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
  std::size_t compressed = 0;
  for (auto _ : state) {
    compressed = 0;
    for (const auto& page : pages) {
      std::vector<std::uint8_t> out(libdeflate_zlib_compress_bound(compressor, page.rgb.size()));
      compressed += libdeflate_zlib_compress(compressor, page.rgb.data(), page.rgb.size(),
                                             out.data(), out.size());
      benchmark::DoNotOptimize(out.data());
    }
  }
  libdeflate_free_compressor(compressor);
  state.counters["output_bytes"] = static_cast<double>(compressed);
}
BENCHMARK(BM_LibdeflateLevel6SingleThread)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole file for ten pages; the argument is the thread count, 0 the
// default. Every run first checks that it gives the bytes of one thread.
void BM_BuildSearchablePdf(benchmark::State& state) {
  const auto& pages = ten_a4_pages();
  static const std::vector<std::uint8_t> single_threaded = pdf::build_searchable_pdf(pages, 1);
  const unsigned threads = static_cast<unsigned>(state.range(0));
  if (threads == 0 ? pdf::build_searchable_pdf(pages) != single_threaded
                   : pdf::build_searchable_pdf(pages, threads) != single_threaded) {
    state.SkipWithError("output differs from the single-threaded output");
    return;
  }
  std::size_t size = 0;
  for (auto _ : state) {
    const auto file =
        threads == 0 ? pdf::build_searchable_pdf(pages) : pdf::build_searchable_pdf(pages, threads);
    size = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["output_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_BuildSearchablePdf)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
