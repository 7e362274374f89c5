#pragma once
// Reading and setting the options of an open SANE device by name. Setting one
// option may change others (SANE_INFO_RELOAD_OPTIONS), so descriptors are
// looked up afresh on every access. Call only on the SANE session thread.

#include <sane/sane.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devices/sane/option_choice.hpp"
#include "platform/result.hpp"

namespace devices::sane {

class DeviceOptions {
 public:
  explicit DeviceOptions(SANE_Handle handle) : handle_(handle) {}

  // Whether the option exists and is active and settable by software.
  bool settable(std::string_view name) const;

  // The allowed values of a string-list option (empty for other options).
  std::vector<std::string> string_choices(std::string_view name) const;
  // The allowed values of a numeric word-list option (empty for others).
  std::vector<int> integer_choices(std::string_view name) const;
  NumberConstraint number_constraint(std::string_view name) const;

  std::optional<double> number(std::string_view name) const;
  // The current value of a single-valued option as set_from_text takes it.
  std::optional<std::string> value_text(std::string_view name) const;

  platform::Status set_string(std::string_view name, const std::string& value);
  // For integer and fixed-point options alike.
  platform::Status set_number(std::string_view name, double value);
  // Any single-valued option from text: "true"/"false" for booleans, numbers
  // for numeric options, the text itself for strings.
  platform::Status set_from_text(std::string_view name, const std::string& text);

 private:
  struct Found {
    SANE_Int index = 0;
    const SANE_Option_Descriptor* descriptor = nullptr;
  };
  std::optional<Found> find(std::string_view name) const;
  platform::Status set(const Found& found, void* value, std::string_view name);

  SANE_Handle handle_;
};

}  // namespace devices::sane
