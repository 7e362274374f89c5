// From a state change to realized Qt widgets, offscreen, for pages shaped
// like the application's largest views: the dashboard with 3 printers, the
// queue with 24 documents, the history with 50 finished documents and the
// diagnostics with 20 printers. One sample is one rebuild: the root's update
// builds the toolkit tree and the window realizes and lays it out ("rebuild");
// "frame" adds freeing the previous widgets and painting the window.
//
// Times are CPU time of the GUI thread (which does all of this work): on a
// shared machine wall time mostly measures the neighbours.
//
// Three kinds of change: every card differs from the previous build (as when
// a view opens), one card differs (a refresh where one document moved on),
// and nothing differs (a refresh that found the same state).

#include <benchmark/benchmark.h>
#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "platform/channel.hpp"
#include "qt/host_window.hpp"
#include "qt/realizer.hpp"
#include "ui/widgets.hpp"

namespace {

// Which cards a rebuild changes.
struct Change {
  enum class Scope { All, One, None };
  Scope scope = Scope::All;
  int generation = 0;
  std::string mark(int card) const {
    if (scope == Scope::None || (scope == Scope::One && card != 0)) return {};
    return " (" + std::to_string(generation) + ")";
  }
};

template <typename T>
std::unique_ptr<T> make() {
  return std::make_unique<T>();
}

ui::WidgetPtr text(std::string value, int size = 14, bool heavy = false, bool secondary = false) {
  auto widget = make<ui::Text>();
  widget->text = std::move(value);
  widget->size = size;
  widget->heavy = heavy;
  widget->secondary = secondary;
  return widget;
}
ui::WidgetPtr heading(std::string value, int size) { return text(std::move(value), size, true); }
ui::WidgetPtr supporting(std::string value) { return text(std::move(value), 13, false, true); }

ui::WidgetPtr gap(int height) {
  auto widget = make<ui::Container>();
  widget->height = height;
  return widget;
}

ui::WidgetPtr button(std::string id, std::string label, std::optional<int> icon = {},
                     ui::ButtonStyle style = ui::ButtonStyle::Plain) {
  auto widget = make<ui::Button>();
  widget->id = std::move(id);
  widget->label = std::move(label);
  widget->icon = icon;
  widget->style = style;
  widget->on_action = [] {};
  return widget;
}

template <typename... Children>
std::unique_ptr<ui::Column> column(Children&&... children) {
  auto widget = make<ui::Column>();
  (widget->push(std::forward<Children>(children)), ...);
  return widget;
}

template <typename... Children>
std::unique_ptr<ui::Row> row(Children&&... children) {
  auto widget = make<ui::Row>();
  (widget->push(std::forward<Children>(children)), ...);
  return widget;
}

ui::WidgetPtr container(ui::WidgetPtr child, std::optional<int> width = {},
                        std::optional<int> max_width = {}, bool card_look = false) {
  auto widget = make<ui::Container>();
  widget->with_child(std::move(child));
  widget->width = width;
  widget->max_width = max_width;
  widget->card_look = card_look;
  return widget;
}

ui::WidgetPtr titled_card(std::string title, ui::WidgetPtr content,
                          ui::WidgetPtr action = nullptr) {
  auto widget = make<ui::Card>();
  widget->title = std::move(title);
  widget->content = std::move(content);
  widget->action = std::move(action);
  return widget;
}

ui::WidgetPtr progress(std::string label, std::optional<double> fraction) {
  auto widget = make<ui::ProgressBar>();
  widget->label = std::move(label);
  widget->fraction = fraction;
  return widget;
}

ui::WidgetPtr preview(std::string label, std::uint32_t page, std::uint32_t count) {
  auto widget = make<ui::PagePreview>();
  widget->label = std::move(label);
  widget->page = page;
  widget->page_count = count;
  return widget;
}

ui::WidgetPtr icon(int number, int size) {
  auto widget = make<ui::Icon>();
  widget->number = number;
  widget->size = size;
  return widget;
}

// The application's own card widget: one child, drawn by that child.
class DashboardCard final : public ui::Widget {
 public:
  explicit DashboardCard(ui::WidgetPtr child) : child_(std::move(child)) {}
  ui::Kind kind() const override { return ui::Kind::Custom; }
  std::vector<ui::Widget*> children() override { return {child_.get()}; }
  using ui::Widget::children;

 private:
  ui::WidgetPtr child_;
};

ui::WidgetPtr dashboard_card(std::string title, ui::WidgetPtr first, ui::WidgetPtr second) {
  return std::make_unique<DashboardCard>(container(
      column(heading(std::move(title), 18), gap(14), std::move(first), gap(16), std::move(second)),
      {}, {}, true));
}

ui::WidgetPtr page_header(std::string title, std::string subtitle) {
  return column(button("orvane.back", "Orvane", 38, ui::ButtonStyle::Primary), gap(14),
                heading(std::move(title), 28), supporting(std::move(subtitle)));
}

ui::WidgetPtr page_frame(ui::WidgetPtr page, int max_width) {
  auto scroll = make<ui::Scrollable>();
  scroll->with_child(std::move(page));
  return row(make<ui::Spacer>(), container(std::move(scroll), {}, max_width), make<ui::Spacer>());
}

ui::WidgetPtr dashboard(int printers, const Change& change) {
  auto page = column(column(heading("Orvane", 28), supporting("Everything is ready")), gap(14),
                     row(button("orvane.add", "Add printer", 18, ui::ButtonStyle::Primary),
                         button("orvane.print", "Print a document", 5, ui::ButtonStyle::Secondary)),
                     gap(20));
  page->push(
      dashboard_card("Printing now",
                     row(preview("Current document", 2, 5),
                         container(column(heading("Quarterly report.pdf", 17),
                                          supporting("Sent to Studio printer" + change.mark(-1)),
                                          gap(12), progress("Current document progress", 0.4)),
                                   260)),
                     column(button("orvane.queue.open", "Open queue"), gap(10),
                            button("orvane.job.cancel", "Cancel"))));
  page->push(gap(28));
  page->push(column(heading("Your printers", 19), gap(8),
                    button("orvane.refresh", "Refresh", 76, ui::ButtonStyle::Primary)));
  page->push(gap(10));
  auto cards = column();
  for (int i = 0; i < printers; ++i) {
    const std::string name = "Printer " + std::to_string(i + 1);
    cards->push(dashboard_card(
        name,
        row(icon(5, 34),
            column(text("Ready" + change.mark(i)), gap(10),
                   row(supporting("Lowest supply"), progress("Lowest supply", 0.35)), gap(8),
                   supporting(i == 0 ? "Preferred printer" : "Available to your apps"))),
        button("orvane.device.open.printer_" + std::to_string(i), "Open", 39,
               ui::ButtonStyle::Primary)));
    cards->push(gap(14));
  }
  page->push(std::move(cards));
  page->push(gap(18));
  page->push(
      dashboard_card("Scan a document", row(icon(28, 30), text("Flatbed is ready")),
                     button("orvane.scan.open", "Start scanning", 28, ui::ButtonStyle::Secondary)));
  page->push(gap(18));
  page->push(column(
      container(dashboard_card(
          "Recent documents", text("Review what printed and quickly print a retained job again."),
          button("orvane.history.open", "See all", 60, ui::ButtonStyle::Primary))),
      gap(14),
      container(dashboard_card(
          "Device help",
          text("Plain-language checks for connections, paper, supplies, and scanners."),
          button("orvane.diagnostics.open", "Check devices", 70, ui::ButtonStyle::Primary)))));
  return page_frame(std::move(page), 1120);
}

ui::WidgetPtr queue(int documents, const Change& change) {
  auto page = column(page_header("Print queue", "Every document, in one place"), gap(20));
  auto grid = make<ui::CardGrid>();
  grid->min_card_width = 330;
  grid->max_card_width = 420;
  for (int i = 0; i < documents; ++i) {
    grid->push(titled_card(
        "Document " + std::to_string(i + 1) + ".pdf",
        row(preview("Queued document", static_cast<std::uint32_t>(i % 7 + 1), 8),
            column(text("In progress"), supporting("Sent to Studio printer" + change.mark(i)),
                   gap(10), progress("Document progress", (i % 10) / 10.0), gap(10),
                   row(button("orvane.job.retry", "Try again"),
                       button("orvane.job.cancel", "Cancel"))))));
  }
  page->push(std::move(grid));
  return page_frame(std::move(page), 920);
}

ui::WidgetPtr history(int documents, const Change& change) {
  auto page =
      column(page_header("Print history", "Documents retained by your print service"), gap(20));
  for (int i = 0; i < documents; ++i) {
    page->push(container(
        titled_card("Document " + std::to_string(i + 1) + ".pdf",
                    row(preview("Printed document", 3, 3),
                        column(text("Printed" + change.mark(i)),
                               supporting("3 pages, sent to Studio printer, today at 10:4" +
                                          std::to_string(i % 10)),
                               gap(12),
                               button("orvane.history.repeat." + std::to_string(i), "Print again",
                                      76, ui::ButtonStyle::Secondary)))),
        {}, 840));
    page->push(gap(12));
  }
  return page_frame(std::move(page), 920);
}

ui::WidgetPtr diagnostics(int printers, const Change& change) {
  auto page = column(page_header("Device help", "Useful checks without printer jargon"), gap(20));
  page->push(titled_card(
      "Connection check",
      column(text("20 of 20 printers responded"), gap(8),
             text("20 printers report ink or toner levels"), gap(8), text("1 scanner available")),
      button("orvane.diagnostics.refresh", "Check again")));
  page->push(gap(16));
  for (int i = 0; i < printers; ++i) {
    auto body = column(
        text("Ready" + change.mark(i)), supporting("Answered the latest status check"), gap(10),
        text("Paper is running low."), supporting("Add paper to the main tray."), gap(10));
    for (const char* supply : {"Black", "Cyan", "Magenta", "Yellow"}) {
      body->push(row(supporting(supply), make<ui::Spacer>(), progress(supply, 0.6)));
      body->push(gap(6));
    }
    body->push(button("orvane.diagnostics.device", "Open printer controls"));
    page->push(
        container(titled_card("Printer " + std::to_string(i + 1), std::move(body)), {}, 840));
    page->push(gap(12));
  }
  page->push(container(titled_card("Scanner", text("Flatbed is ready"),
                                   button("orvane.diagnostics.scan", "Start scanning")),
                       {}, 840));
  return page_frame(std::move(page), 920);
}

// Rebuilds its view from the current builder on every posted change.
class BenchRoot final : public ui::Widget {
 public:
  using Builder = std::function<ui::WidgetPtr(int generation)>;
  explicit BenchRoot(Builder builder) : builder_(std::move(builder)), content_(builder_(0)) {
    auto [sender, receiver] = platform::channel<int>();
    sender_ = std::move(sender);
    receiver_ = std::move(receiver);
  }
  ui::Kind kind() const override { return ui::Kind::Custom; }
  std::vector<ui::Widget*> children() override { return {content_.get()}; }
  using ui::Widget::children;
  bool update(ui::Context&) override {
    if (!receiver_.try_take()) return false;
    content_ = builder_(++generation_);
    dirty_ = true;
    return true;
  }
  bool take_structure_dirty() override { return std::exchange(dirty_, false); }
  platform::Sender<int> sender() const { return sender_; }

 private:
  Builder builder_;
  ui::WidgetPtr content_;
  bool dirty_ = false;
  int generation_ = 0;
  platform::Sender<int> sender_;
  platform::Receiver<int> receiver_;
};

double thread_seconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int count_widgets(QWidget& root) { return static_cast<int>(root.findChildren<QWidget*>().size()); }

void run(benchmark::State& state, const BenchRoot::Builder& builder, bool whole_frame, bool reuse) {
  auto root = std::make_unique<BenchRoot>(builder);
  auto sender = root->sender();
  qthost::HostOptions options;
  options.reuse_widgets = reuse;
  qthost::HostWindow window(std::move(root), options);
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.resize(1280, 800);
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    sender.send(1);
    const double start = thread_seconds();
    window.run_updates();
    if (whole_frame) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      benchmark::DoNotOptimize(window.grab());
    }
    state.SetIterationTime(thread_seconds() - start);
    QApplication::processEvents();
  }
  state.counters["qt_widgets"] = count_widgets(*window.content());
  state.counters["created"] = window.last_created();
}

// Realizing alone, without a window, layout or painting.
void run_realize_only(benchmark::State& state, const BenchRoot::Builder& builder) {
  const ui::WidgetPtr tree = builder(0);
  for (auto _ : state) {
    const double start = thread_seconds();
    std::unique_ptr<QWidget> realized(qthost::realize(*tree, {}));
    state.SetIterationTime(thread_seconds() - start);
  }
}

double p90(const std::vector<double>& samples) {
  std::vector<double> sorted = samples;
  std::sort(sorted.begin(), sorted.end());
  const auto rank = static_cast<std::size_t>(std::ceil(0.9 * sorted.size()));
  return sorted.empty() ? 0.0 : sorted[std::max<std::size_t>(rank, 1) - 1];
}

void register_one(const std::string& title, std::function<void(benchmark::State&)> body) {
  benchmark::RegisterBenchmark(title.c_str(), std::move(body))
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(40)
      ->ComputeStatistics("p90", p90)
      ->ReportAggregatesOnly(true);
}

using ViewBuilder = ui::WidgetPtr (*)(int, const Change&);

void register_view(const char* name, ViewBuilder view, int count) {
  register_one(std::string(name) + "/realize_only", [view, count](benchmark::State& state) {
    run_realize_only(state, [view, count](int) { return view(count, Change{}); });
  });
  // Every widget created again on every rebuild: what reuse saves.
  for (bool whole_frame : {false, true}) {
    const BenchRoot::Builder builder = [view, count](int generation) {
      return view(count, Change{Change::Scope::One, generation});
    };
    register_one(std::string(name) + "/no_reuse" + (whole_frame ? "/frame" : "/rebuild"),
                 [builder, whole_frame](benchmark::State& state) {
                   run(state, builder, whole_frame, false);
                 });
  }
  const std::pair<const char*, Change::Scope> scopes[] = {{"all_changed", Change::Scope::All},
                                                          {"one_changed", Change::Scope::One},
                                                          {"unchanged", Change::Scope::None}};
  for (const auto& [scope_name, scope] : scopes) {
    for (bool whole_frame : {false, true}) {
      const std::string title =
          std::string(name) + "/" + scope_name + (whole_frame ? "/frame" : "/rebuild");
      const BenchRoot::Builder builder = [view, count, scope](int generation) {
        return view(count, Change{scope, generation});
      };
      register_one(title, [builder, whole_frame](benchmark::State& state) {
        run(state, builder, whole_frame, true);
      });
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  register_view("dashboard_3_printers", dashboard, 3);
  register_view("queue_24_documents", queue, 24);
  register_view("history_50_documents", history, 50);
  register_view("diagnostics_20_printers", diagnostics, 20);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
