// How long one snapshot refresh (queues, jobs, scanners) takes against a
// private cupsd with 3 queues and 50 retained jobs and SANE's test scanner,
// compared with `lpstat -t` asking the same server. Also a scanned page, from
// the device to PNG bytes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "devices/cups/queue_name.hpp"
#include "devices/system/system_service.hpp"
#include "network_isolation.hpp"
#include "print_service_fixture.hpp"
#include "sample_documents.hpp"

namespace {

devices::ServicePtr service;

void BM_Refresh(benchmark::State& state) {
  for (auto _ : state) {
    auto printers = service->queues();
    auto jobs = service->jobs();
    auto scanners = service->scanners();
    if (!printers.ok() || !jobs.ok() || !scanners.ok() || jobs->size() < 50) {
      state.SkipWithError("the refresh failed");
      return;
    }
    benchmark::DoNotOptimize(printers);
    benchmark::DoNotOptimize(jobs);
    benchmark::DoNotOptimize(scanners);
  }
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Queues(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(service->queues());
}
BENCHMARK(BM_Queues)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Jobs(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(service->jobs());
}
BENCHMARK(BM_Jobs)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Scanners(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(service->scanners());
}
BENCHMARK(BM_Scanners)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LpstatT(benchmark::State& state) {
  for (auto _ : state) {
    if (std::system("lpstat -t >/dev/null 2>&1") != 0) {
      state.SkipWithError("lpstat -t failed");
      return;
    }
  }
}
BENCHMARK(BM_LpstatT)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanPage(benchmark::State& state) {
  const devices::ScanOptions options{static_cast<std::uint16_t>(state.range(0)),
                                     static_cast<devices::ColorMode>(state.range(1)),
                                     devices::PaperSource::Flatbed};
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto page = service->scan_page("test:0", options);
    if (!page.ok()) {
      state.SkipWithError(page.error().c_str());
      return;
    }
    bytes = page->size();
  }
  state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ScanPage)
    ->ArgNames({"dpi", "mode"})
    ->Args({150, 0})
    ->Args({300, 0})
    ->Args({300, 1})
    ->Args({300, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 50 documents spread over the three queues, all finished and retained.
bool fill_job_history() {
  const std::string pdf =
      orvane_test::write_sample_pdf(orvane_test::fixture().dir() + "/history.pdf", 1);
  const char* queues[] = {"Studio_printer", "Office_laser", "Hallway_printer"};
  for (int i = 0; i < 50; ++i) {
    if (!service->print_document(queues[i % 3], pdf, 1, false).ok()) return false;
  }
  return orvane_test::eventually(
      [] {
        auto jobs = service->jobs();
        if (!jobs.ok() || jobs->size() < 50) return false;
        for (const auto& job : jobs.value()) {
          if (!devices::is_finished(job)) return false;
        }
        return true;
      },
      std::chrono::seconds(120));
}

}  // namespace

int main(int argc, char** argv) {
  if (geteuid() != 0) {
    std::fprintf(stderr, "devices_bench runs its own cupsd and avahi and needs root.\n");
    return 1;
  }
  std::string why;
  if (!orvane_test::isolate_network(why)) {
    std::fprintf(stderr, "running without a private network: %s\n", why.c_str());
  }
  benchmark::Initialize(&argc, argv);
  if (!orvane_test::fixture().start(why)) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  service = devices::make_system_service();
  int status = 0;
  if (fill_job_history()) {
    benchmark::RunSpecifiedBenchmarks();
  } else {
    std::fprintf(stderr, "could not print the 50 documents of the job history\n");
    status = 1;
  }
  service.reset();
  orvane_test::fixture().stop();
  benchmark::Shutdown();
  return status;
}
