#include "devices/sane/sane_scanner.hpp"

#include <sane/sane.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include "devices/sane/device_options.hpp"
#include "devices/sane/frame_assembler.hpp"
#include "devices/sane/option_choice.hpp"
#include "devices/sane/png_encoder.hpp"
#include "devices/sane/sane_session.hpp"
#include "devices/sane/status_text.hpp"

namespace devices::sane {
namespace {

std::string scanner_name(const SANE_Device& device) {
  const std::string vendor = device.vendor ? device.vendor : "";
  const std::string model = device.model ? device.model : "";
  if (vendor.empty() || model.rfind(vendor, 0) == 0) return model.empty() ? device.name : model;
  return model.empty() ? vendor : vendor + " " + model;
}

ListResult<Scanner> list_devices() {
  SaneSession& session = SaneSession::instance();
  if (!session.initialised()) return platform::err(session.initialised().error());
  const SANE_Device** devices = nullptr;
  const SANE_Status status = sane_get_devices(&devices, SANE_FALSE);
  if (status != SANE_STATUS_GOOD) return platform::err(status_text(status));
  std::vector<Scanner> scanners;
  for (std::size_t i = 0; devices && devices[i]; ++i) {
    if (!devices[i]->name) continue;
    scanners.push_back(Scanner{devices[i]->name, scanner_name(*devices[i])});
  }
  return scanners;
}

platform::Status apply_settings(DeviceOptions& device, ScanOptions options) {
  // Source first: on many backends it changes which modes and resolutions
  // exist.
  if (device.settable("source")) {
    const auto source = choose_source(device.string_choices("source"), options.source);
    if (!source) {
      if (options.source == PaperSource::TwoSided) {
        return platform::err("This scanner cannot scan both sides.");
      }
      if (options.source == PaperSource::Feeder) {
        return platform::err("This scanner has no document feeder.");
      }
      return platform::err("This scanner has no flatbed.");
    }
    if (auto set = device.set_string("source", *source); !set) return set;
  } else if (options.source == PaperSource::Feeder) {
    return platform::err("This scanner has no document feeder.");
  } else if (options.source == PaperSource::TwoSided) {
    return platform::err("This scanner cannot scan both sides.");
  }

  if (device.settable("mode")) {
    const auto mode = choose_mode(device.string_choices("mode"), device.integer_choices("depth"),
                                  options.color_mode);
    if (!mode) {
      switch (options.color_mode) {
        case ColorMode::Color:
          return platform::err("This scanner cannot scan in colour.");
        case ColorMode::Grayscale:
        case ColorMode::Text:
          return platform::err("This scanner cannot scan in grey.");
      }
    }
    if (auto set = device.set_string("mode", mode->mode); !set) return set;
    if (mode->depth && device.settable("depth")) {
      if (auto set = device.set_number("depth", *mode->depth); !set) return set;
    }
  }

  if (device.settable("resolution")) {
    const double resolution =
        nearest_allowed(options.resolution_dpi, device.number_constraint("resolution"));
    if (auto set = device.set_number("resolution", resolution); !set) return set;
  }
  return platform::ok_status();
}

struct PageOutcome {
  platform::Result<RasterImage> page;
  // After a failure the device is closed, except when the feeder is merely
  // empty: closing would make the feeder forget which pages it has fed.
  bool close_device = false;
};

// Reads every frame of one page.
PageOutcome read_page(SANE_Handle handle, std::uint32_t dots_per_inch) {
  const auto fail = [&](SANE_Status status) {
    sane_cancel(handle);
    return PageOutcome{platform::err(status_text(status)), status != SANE_STATUS_NO_DOCS};
  };
  const auto fail_text = [&](const std::string& text) {
    sane_cancel(handle);
    return PageOutcome{platform::err(text), true};
  };

  SANE_Status status = sane_start(handle);
  if (status != SANE_STATUS_GOOD) return fail(status);
  FrameAssembler assembler;
  std::vector<SANE_Byte> buffer(std::size_t{256} * 1024);
  for (;;) {
    SANE_Parameters parameters{};
    status = sane_get_parameters(handle, &parameters);
    if (status != SANE_STATUS_GOOD) return fail(status);
    if (auto begun = assembler.begin_frame(parameters); !begun) return fail_text(begun.error());
    for (;;) {
      SANE_Int length = 0;
      status = sane_read(handle, buffer.data(), static_cast<SANE_Int>(buffer.size()), &length);
      if (status == SANE_STATUS_EOF) break;
      if (status != SANE_STATUS_GOOD) return fail(status);
      if (length <= 0) {
        std::this_thread::yield();
        continue;
      }
      if (auto added = assembler.add(buffer.data(), static_cast<std::size_t>(length)); !added) {
        return fail_text(added.error());
      }
    }
    if (auto ended = assembler.end_frame(); !ended) return fail_text(ended.error());
    if (assembler.complete()) break;
    status = sane_start(handle);
    if (status != SANE_STATUS_GOOD) return fail(status);
  }
  // Ends the page properly, as the SANE standard asks after the last frame.
  sane_cancel(handle);
  return PageOutcome{assembler.finish(dots_per_inch), false};
}

// Sets extra options for one page and puts their earlier values back
// afterwards, so the next page starts from the device's own settings (some
// backends keep option values even across closing and opening the device).
class ExtraOptions {
 public:
  explicit ExtraOptions(DeviceOptions& device) : device_(device) {}

  platform::Status apply(const std::vector<DeviceOption>& extra) {
    for (const DeviceOption& option : extra) {
      const auto before = device_.value_text(option.name);
      if (auto set = device_.set_from_text(option.name, option.value); !set) return set;
      if (before) previous_.push_back(DeviceOption{option.name, *before});
    }
    return platform::ok_status();
  }

  void restore() {
    // Last set, first restored: one option may limit another.
    std::reverse(previous_.begin(), previous_.end());
    for (const DeviceOption& option : previous_) device_.set_from_text(option.name, option.value);
    previous_.clear();
  }

 private:
  DeviceOptions& device_;
  std::vector<DeviceOption> previous_;
};

platform::Result<RasterImage> scan_on_session(const std::string& scanner_id, ScanOptions options,
                                              const std::vector<DeviceOption>& extra) {
  SaneSession& session = SaneSession::instance();
  auto handle = session.handle_for(scanner_id);
  if (!handle) return platform::err(handle.error());
  DeviceOptions device(handle.value());
  ExtraOptions extras(device);
  auto applied = apply_settings(device, options);
  if (applied) applied = extras.apply(extra);
  if (!applied) {
    extras.restore();
    session.close_handle();
    return platform::err(applied.error());
  }
  const double resolution = device.number("resolution").value_or(options.resolution_dpi);
  PageOutcome outcome =
      read_page(handle.value(), static_cast<std::uint32_t>(std::lround(resolution)));
  extras.restore();
  if (outcome.close_device) session.close_handle();
  return std::move(outcome.page);
}

}  // namespace

SaneScanner::SaneScanner(ScannerSettings settings) : settings_(settings) {}

ListResult<Scanner> SaneScanner::scanners() {
  if (scans_running_.load() > 0) {
    std::lock_guard lock(list_mutex_);
    if (last_list_) return *last_list_;
  }
  auto result = std::make_shared<std::optional<ListResult<Scanner>>>();
  const bool finished =
      SaneSession::instance().run([result] { *result = list_devices(); }, settings_.list_timeout);
  if (!finished || !*result) return platform::err("The scanner service did not answer in time.");
  if (result->value()) {
    std::lock_guard lock(list_mutex_);
    last_list_ = result->value().value();
  }
  return std::move(**result);
}

platform::Result<RasterImage> SaneScanner::scan_raster(const std::string& scanner_id,
                                                       ScanOptions options,
                                                       const std::vector<DeviceOption>& extra) {
  if (options.resolution_dpi == 0) return platform::err("The resolution must be above zero.");
  struct Running {
    std::atomic<int>& count;
    explicit Running(std::atomic<int>& c) : count(c) { ++count; }
    ~Running() { --count; }
  } running(scans_running_);
  auto result = std::make_shared<std::optional<platform::Result<RasterImage>>>();
  const bool finished = SaneSession::instance().run(
      [result, scanner_id, options, extra] {
        *result = scan_on_session(scanner_id, options, extra);
      },
      settings_.scan_timeout);
  if (!finished || !*result) return platform::err("The scanner did not answer in time.");
  return std::move(**result);
}

platform::Result<Bytes> SaneScanner::scan_page(const std::string& scanner_id, ScanOptions options,
                                               const std::vector<DeviceOption>& extra) {
  auto image = scan_raster(scanner_id, options, extra);
  if (!image) return platform::err(image.error());
  // Encoding takes a while on a large page; it happens here, on the caller's
  // thread, so the session is free for the next call.
  return encode_png(image.value());
}

}  // namespace devices::sane
