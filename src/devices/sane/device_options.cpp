#include "devices/sane/device_options.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "devices/sane/status_text.hpp"

namespace devices::sane {
namespace {

std::string quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

bool single_word(const SANE_Option_Descriptor* descriptor) {
  return descriptor->size == static_cast<SANE_Int>(sizeof(SANE_Word));
}

double word_value(const SANE_Option_Descriptor* descriptor, SANE_Word word) {
  return descriptor->type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : static_cast<double>(word);
}

}  // namespace

std::optional<DeviceOptions::Found> DeviceOptions::find(std::string_view name) const {
  SANE_Int count = 0;
  if (sane_control_option(handle_, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD) {
    return std::nullopt;
  }
  for (SANE_Int index = 1; index < count; ++index) {
    const SANE_Option_Descriptor* descriptor = sane_get_option_descriptor(handle_, index);
    if (descriptor && descriptor->name && name == descriptor->name) {
      return Found{index, descriptor};
    }
  }
  return std::nullopt;
}

bool DeviceOptions::settable(std::string_view name) const {
  const auto found = find(name);
  return found && SANE_OPTION_IS_ACTIVE(found->descriptor->cap) &&
         SANE_OPTION_IS_SETTABLE(found->descriptor->cap);
}

std::vector<std::string> DeviceOptions::string_choices(std::string_view name) const {
  std::vector<std::string> choices;
  const auto found = find(name);
  if (!found || found->descriptor->type != SANE_TYPE_STRING ||
      found->descriptor->constraint_type != SANE_CONSTRAINT_STRING_LIST) {
    return choices;
  }
  for (const SANE_String_Const* entry = found->descriptor->constraint.string_list; entry && *entry;
       ++entry) {
    choices.emplace_back(*entry);
  }
  return choices;
}

std::vector<int> DeviceOptions::integer_choices(std::string_view name) const {
  std::vector<int> choices;
  const auto found = find(name);
  if (!found || found->descriptor->constraint_type != SANE_CONSTRAINT_WORD_LIST) return choices;
  const SANE_Word* list = found->descriptor->constraint.word_list;
  for (SANE_Word i = 1; list && i <= list[0]; ++i) {
    choices.push_back(static_cast<int>(std::lround(word_value(found->descriptor, list[i]))));
  }
  return choices;
}

NumberConstraint DeviceOptions::number_constraint(std::string_view name) const {
  NumberConstraint constraint;
  const auto found = find(name);
  if (!found) return constraint;
  const SANE_Option_Descriptor* descriptor = found->descriptor;
  if (descriptor->constraint_type == SANE_CONSTRAINT_RANGE && descriptor->constraint.range) {
    constraint.kind = NumberConstraint::Kind::Range;
    constraint.min = word_value(descriptor, descriptor->constraint.range->min);
    constraint.max = word_value(descriptor, descriptor->constraint.range->max);
    constraint.quant = word_value(descriptor, descriptor->constraint.range->quant);
  } else if (descriptor->constraint_type == SANE_CONSTRAINT_WORD_LIST &&
             descriptor->constraint.word_list) {
    constraint.kind = NumberConstraint::Kind::List;
    const SANE_Word* list = descriptor->constraint.word_list;
    for (SANE_Word i = 1; i <= list[0]; ++i)
      constraint.list.push_back(word_value(descriptor, list[i]));
  }
  return constraint;
}

std::optional<double> DeviceOptions::number(std::string_view name) const {
  const auto found = find(name);
  if (!found || !single_word(found->descriptor) ||
      (found->descriptor->type != SANE_TYPE_INT && found->descriptor->type != SANE_TYPE_FIXED) ||
      !SANE_OPTION_IS_ACTIVE(found->descriptor->cap)) {
    return std::nullopt;
  }
  SANE_Word word = 0;
  if (sane_control_option(handle_, found->index, SANE_ACTION_GET_VALUE, &word, nullptr) !=
      SANE_STATUS_GOOD) {
    return std::nullopt;
  }
  return word_value(found->descriptor, word);
}

std::optional<std::string> DeviceOptions::value_text(std::string_view name) const {
  const auto found = find(name);
  if (!found || !SANE_OPTION_IS_ACTIVE(found->descriptor->cap)) return std::nullopt;
  const SANE_Option_Descriptor* descriptor = found->descriptor;
  if (descriptor->type == SANE_TYPE_STRING) {
    std::vector<char> buffer(static_cast<std::size_t>(std::max<SANE_Int>(descriptor->size, 1)) + 1,
                             '\0');
    if (sane_control_option(handle_, found->index, SANE_ACTION_GET_VALUE, buffer.data(), nullptr) !=
        SANE_STATUS_GOOD) {
      return std::nullopt;
    }
    return std::string(buffer.data());
  }
  if (!single_word(descriptor)) return std::nullopt;
  SANE_Word word = 0;
  if (sane_control_option(handle_, found->index, SANE_ACTION_GET_VALUE, &word, nullptr) !=
      SANE_STATUS_GOOD) {
    return std::nullopt;
  }
  switch (descriptor->type) {
    case SANE_TYPE_BOOL:
      return word ? "true" : "false";
    case SANE_TYPE_INT:
      return std::to_string(word);
    case SANE_TYPE_FIXED: {
      char text[64];
      std::snprintf(text, sizeof(text), "%.17g", SANE_UNFIX(word));
      return std::string(text);
    }
    default:
      return std::nullopt;
  }
}

platform::Status DeviceOptions::set(const Found& found, void* value, std::string_view name) {
  if (!SANE_OPTION_IS_ACTIVE(found.descriptor->cap) ||
      !SANE_OPTION_IS_SETTABLE(found.descriptor->cap)) {
    return platform::err("The scanner option " + quoted(name) + " cannot be set now.");
  }
  SANE_Int info = 0;
  const SANE_Status status =
      sane_control_option(handle_, found.index, SANE_ACTION_SET_VALUE, value, &info);
  // A clamped value (SANE_INFO_INEXACT) is still a success.
  if (status != SANE_STATUS_GOOD) {
    return platform::err(status_text(status) + " (option " + quoted(name) + ")");
  }
  return platform::ok_status();
}

platform::Status DeviceOptions::set_string(std::string_view name, const std::string& value) {
  const auto found = find(name);
  if (!found || found->descriptor->type != SANE_TYPE_STRING) {
    return platform::err("The scanner has no option " + quoted(name) + ".");
  }
  const auto size = static_cast<std::size_t>(std::max<SANE_Int>(found->descriptor->size, 1));
  if (value.size() + 1 > size) {
    return platform::err("The value for " + quoted(name) + " is too long.");
  }
  std::vector<char> buffer(size, '\0');
  std::memcpy(buffer.data(), value.data(), value.size());
  return set(*found, buffer.data(), name);
}

platform::Status DeviceOptions::set_number(std::string_view name, double value) {
  const auto found = find(name);
  if (!found || !single_word(found->descriptor) ||
      (found->descriptor->type != SANE_TYPE_INT && found->descriptor->type != SANE_TYPE_FIXED)) {
    return platform::err("The scanner has no numeric option " + quoted(name) + ".");
  }
  SANE_Word word = found->descriptor->type == SANE_TYPE_FIXED
                       ? SANE_FIX(value)
                       : static_cast<SANE_Word>(std::lround(value));
  return set(*found, &word, name);
}

platform::Status DeviceOptions::set_from_text(std::string_view name, const std::string& text) {
  const auto found = find(name);
  if (!found) return platform::err("The scanner has no option " + quoted(name) + ".");
  switch (found->descriptor->type) {
    case SANE_TYPE_BOOL: {
      SANE_Word word = 0;
      if (text == "true" || text == "yes" || text == "1") {
        word = SANE_TRUE;
      } else if (text == "false" || text == "no" || text == "0") {
        word = SANE_FALSE;
      } else {
        return platform::err("Not a yes or no value for " + quoted(name) + ": " + text);
      }
      return set(*found, &word, name);
    }
    case SANE_TYPE_INT:
    case SANE_TYPE_FIXED: {
      char* end = nullptr;
      const double value = std::strtod(text.c_str(), &end);
      if (text.empty() || *end != '\0' || !std::isfinite(value)) {
        return platform::err("Not a number for " + quoted(name) + ": " + text);
      }
      return set_number(name, value);
    }
    case SANE_TYPE_STRING:
      return set_string(name, text);
    default:
      return platform::err("The scanner option " + quoted(name) + " takes no value.");
  }
}

}  // namespace devices::sane
