// From a message to realized Qt widgets, offscreen, with the application's
// own root and views: the dashboard with 3 printers, the queue with 24
// documents, the history with 50 finished documents and the diagnostics with
// 20 printers. One sample is one switch to the view from another one, so no
// widget of it can be kept: the root dispatches, the view is built, the
// window realizes and lays it out. GUI-thread CPU time, so that other load on
// the machine does not count.

#include <time.h>

#include <benchmark/benchmark.h>
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <thread>

#include "app/orvane.hpp"
#include "qt/host_window.hpp"
#include "support/in_memory_service.hpp"

namespace {

double thread_seconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::shared_ptr<support::InMemoryService> service_with(int printers, int active, int finished) {
  auto service = std::make_shared<support::InMemoryService>();
  for (int i = 0; i < printers; ++i) {
    devices::PrinterQueue p;
    p.name = "Printer_" + std::to_string(i + 1);
    p.is_default = i == 0;
    p.state_reasons = {"media-low-report"};
    p.markers = std::vector<devices::Marker>{
        {"Black", "#000000", 60}, {"Cyan", "#00ffff", 40}, {"Magenta", "#ff00ff", 8}};
    service->printers.push_back(p);
  }
  auto add_job = [&](int n, devices::JobState state) {
    devices::PrintJob j;
    j.id = "Printer_1-" + std::to_string(n);
    j.printer = "Printer_1";
    j.owner = "demo";
    j.time_label = "today";
    j.title = "Document " + std::to_string(n) + ".pdf";
    j.pages_completed = 3;
    j.pages_total = 10;
    j.state = state;
    service->jobs_list.push_back(j);
  };
  for (int i = 0; i < active; ++i) add_job(i + 1, devices::JobState::Processing);
  for (int i = 0; i < finished; ++i) add_job(1000 + i, devices::JobState::Completed);
  service->scanner_list = {{"scanner0", "Studio scanner"}};
  return service;
}

void switch_to(benchmark::State& state, std::shared_ptr<support::InMemoryService> service,
               app::Message target, app::Message away) {
  auto root = app::Orvane::create(app::Services{service, nullptr, {}});
  app::Orvane* orvane = root.get();
  qthost::HostWindow window(std::move(root));
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.resize(1280, 800);
  window.show();
  while (!orvane->state().snapshot) {
    window.run_updates();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const auto sender = orvane->state().message_sender;
  for (auto _ : state) {
    sender.send(away);
    window.run_updates();
    QApplication::processEvents();
    sender.send(target);
    const double start = thread_seconds();
    window.run_updates();
    state.SetIterationTime(thread_seconds() - start);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

double p90(const std::vector<double>& samples) {
  std::vector<double> sorted = samples;
  std::sort(sorted.begin(), sorted.end());
  const auto rank = static_cast<std::size_t>(std::ceil(0.9 * sorted.size()));
  return sorted.empty() ? 0.0 : sorted[std::max<std::size_t>(rank, 1) - 1];
}

void add(const char* name, int printers, int active, int finished, app::Message target,
         app::Message away) {
  benchmark::RegisterBenchmark(name,
                               [=](benchmark::State& state) {
                                 switch_to(state, service_with(printers, active, finished), target,
                                           away);
                               })
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(30)
      ->ComputeStatistics("p90", p90)
      ->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  namespace msg = app::msg;
  add("dashboard_3_printers", 3, 1, 5, msg::ReturnToDashboard{}, msg::OpenQueue{});
  add("queue_24_documents", 3, 24, 0, msg::OpenQueue{}, msg::ReturnToDashboard{});
  add("history_50_documents", 3, 0, 50, msg::OpenHistory{}, msg::ReturnToDashboard{});
  add("diagnostics_20_printers", 20, 0, 0, msg::OpenDiagnostics{}, msg::ReturnToDashboard{});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
