#include "app/scenario.hpp"

#include <array>

#include "app/orvane.hpp"
#include "printing/printing.hpp"
#include "scan/scan.hpp"
#include "views/views.hpp"

namespace app {
namespace {

struct Rgb {
  std::uint8_t r, g, b;
};

class Canvas {
 public:
  Canvas(std::uint32_t width, std::uint32_t height, Rgb fill)
      : width_(width), pixels_(std::size_t{width} * height * 4) {
    for (std::size_t i = 0; i < pixels_.size(); i += 4) put(i, fill);
  }
  void fill_rect(std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1, Rgb c) {
    for (std::uint32_t y = y0; y <= y1; ++y) {
      for (std::uint32_t x = x0; x <= x1; ++x) put((std::size_t{y} * width_ + x) * 4, c);
    }
  }
  void set(std::uint32_t x, std::uint32_t y, Rgb c) { put((std::size_t{y} * width_ + x) * 4, c); }
  SharedBytes take() {
    return std::make_shared<const std::vector<std::uint8_t>>(std::move(pixels_));
  }

 private:
  void put(std::size_t i, Rgb c) {
    pixels_[i] = c.r;
    pixels_[i + 1] = c.g;
    pixels_[i + 2] = c.b;
    pixels_[i + 3] = 255;
  }
  std::uint32_t width_;
  std::vector<std::uint8_t> pixels_;
};

devices::PrinterQueue& first_printer(Snapshot& s) { return s.printers.value().front(); }
devices::PrintJob& first_job(Snapshot& s) { return s.jobs.value().front(); }

std::unique_ptr<ui::Widget> scenario_view(std::uint8_t scenario, const MessageSender& sender) {
  using devices::JobState;
  using devices::PrinterState;
  auto sample = sample_snapshot();
  switch (scenario) {
    case 1:
      return views::dashboard_view(sample, std::nullopt, sender);
    case 2: {
      auto& printer = first_printer(sample);
      printer.accepting_jobs = false;
      printer.state = PrinterState::Stopped;
      printer.state_reasons = {"media-empty-warning"};
      auto& job = first_job(sample);
      job.state = JobState::Stopped;
      job.state_reasons = {"media-empty-warning"};
      return views::dashboard_view(sample, std::nullopt, sender);
    }
    case 3:
      return views::first_printer_view(sender);
    case 4:
      return views::queue_view(sample, std::nullopt, std::nullopt, sender);
    case 5:
      return views::printer_controls_view(first_printer(sample), sender);
    case 6: {
      devices::ListResult<devices::DiscoveredPrinter> found = sample_discovery();
      return views::add_printer_view(std::move(found), sender);
    }
    case 7: {
      const PreviewState preview = sample_print_preview();
      return printing::print_view(sample, "Travel itinerary.pdf", preview,
                                  std::string("Studio_printer"), platform::Cell<double>(1.0),
                                  platform::Cell<bool>(true), sender);
    }
    case 8:
    case 9: {
      const std::optional<std::string> scanner = std::string("scanner0");
      const platform::Cell<std::size_t> resolution(1), color(0), source(0), language(0);
      const platform::Cell<CropSelection> crop{CropSelection{}};
      const std::optional<ScannedPage> page =
          scenario == 9 ? std::optional<ScannedPage>(sample_scanned_page()) : std::nullopt;
      const std::optional<Notice> no_notice;
      const scan::ScanViewInput input{
          sample,   scanner,  resolution, color, source,
          language, crop,     page,       0,     scenario == 9 ? 1u : 0u,
          false,    no_notice};
      return scan::scan_view(input, sender);
    }
    case 10:
      return views::history_view(sample, sender);
    case 11:
      return views::diagnostics_view(sample, sender);
    case 12:
      sample.printers = platform::err("service unavailable");
      sample.jobs = platform::err("service unavailable");
      sample.scanners = platform::err("service unavailable");
      return views::dashboard_view(sample, std::nullopt, sender);
    default: {
      auto& printer = first_printer(sample);
      printer.state = PrinterState::Idle;
      auto& job = first_job(sample);
      job.state = JobState::Completed;
      job.pages_completed = job.pages_total;
      return views::dashboard_view(sample, std::nullopt, sender);
    }
  }
}

}  // namespace

Snapshot sample_snapshot() {
  using devices::JobState;
  devices::PrinterQueue printer{
      .name = "Studio_printer",
      .state_reasons = {},
      .markers =
          std::vector<devices::Marker>{{"Black", "#111111", 72}, {"Colour", std::nullopt, 64}},
      .responding = true,
      .detail = std::nullopt,
      .is_default = true,
      .accepting_jobs = true,
      .state = devices::PrinterState::Processing,
  };
  devices::PrintJob first{
      "Studio_printer-42",    "demo", "today", "Studio_printer", {},
      "Travel itinerary.pdf", 8,      12,      1240000,          JobState::Processing};
  devices::PrintJob second{
      "Studio_printer-41",   "demo", "yesterday", "Studio_printer", {},
      "Shipping labels.pdf", 2,      2,           440000,           JobState::Completed};
  return Snapshot{std::vector<devices::PrinterQueue>{printer},
                  std::vector<devices::PrintJob>{first, second},
                  std::vector<devices::Scanner>{{"scanner0", "Studio scanner"}}};
}

std::vector<devices::DiscoveredPrinter> sample_discovery() {
  return {
      {"ipps://studio-printer.local:631/ipp/print", "Studio printer", "Upstairs workspace"},
      {"ipps://office-laser.local:631/ipp/print", "Office laser", "Downstairs office"},
  };
}

PreviewReady sample_print_preview() {
  Canvas canvas(320, 420, {248, 248, 246});
  canvas.fill_rect(24, 28, 295, 87, {44, 91, 162});
  constexpr std::array<std::uint32_t, 6> kWidths{238, 260, 214, 248, 176, 226};
  for (std::uint32_t i = 0; i < kWidths.size(); ++i) {
    const std::uint32_t top = 126 + 38 * i;
    canvas.fill_rect(28, top, 28 + kWidths[i] - 1, top + 6, {54, 59, 68});
  }
  return PreviewReady{320, 420, canvas.take()};
}

ScannedPage sample_scanned_page() {
  constexpr Rgb kBlue{224, 235, 255}, kDark{45, 51, 65}, kGrey{196, 198, 202},
      kPaper{250, 248, 243};
  constexpr std::array<std::uint32_t, 7> kRows{92, 119, 146, 198, 225, 252, 306};
  Canvas canvas(320, 440, kPaper);
  for (std::uint32_t y = 0; y < 440; ++y) {
    for (std::uint32_t x = 0; x < 320; ++x) {
      bool text_row = false;
      for (auto v : kRows) text_row = text_row || (y >= v && y <= v + 2);
      if (x >= 30 && x <= 289 && y >= 328 && y <= 365) {
        canvas.set(x, y, kBlue);
      } else if (x >= 34 && x <= 237 && y >= 38 && y <= 53) {
        canvas.set(x, y, kDark);
      } else if (x >= 34 && x <= 285 && text_row) {
        canvas.set(x, y, kDark);
      } else if (y < 4 || x < 4 || x > 315 || y >= 436) {
        canvas.set(x, y, kGrey);
      }
    }
  }
  ScannedPage page;
  page.status_text = "Recognized 8 words.";
  page.language_name = "English";
  page.recognized_text = "Travel receipt\nCoffee and breakfast  \u20ac12.40\nMonday, 7 September";
  page.encoded_image = std::make_shared<const std::vector<std::uint8_t>>();
  page.pixels = canvas.take();
  page.width = 320;
  page.height = 440;
  return page;
}

std::unique_ptr<Orvane> Orvane::for_scenario(std::uint8_t scenario, Services services) {
  std::unique_ptr<Orvane> root(new Orvane(std::move(services)));
  {
    // The view's controls post into a channel nobody reads: in a preview,
    // pressing a button changes nothing.
    auto [sender, receiver] = platform::channel<Message>();
    set_content(root->state_, scenario_view(scenario, sender));
  }
  return root;
}

}  // namespace app
