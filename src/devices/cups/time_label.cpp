#include "devices/cups/time_label.hpp"

#include <array>

namespace devices::cups {
namespace {

std::tm local_day(std::time_t time) {
  std::tm day{};
  localtime_r(&time, &day);
  return day;
}

// Days since a fixed origin for a calendar date, so "yesterday" works across
// month and year ends and daylight saving changes.
long day_number(const std::tm& day) {
  const int year = day.tm_year + 1900 - (day.tm_mon < 2 ? 1 : 0);
  const int month = (day.tm_mon + 9) % 12;
  return 365L * year + year / 4 - year / 100 + year / 400 + (153 * month + 2) / 5 + day.tm_mday;
}

}  // namespace

std::string time_label(std::time_t when, std::time_t now) {
  if (when <= 0) return "";
  const std::tm then_day = local_day(when);
  const std::tm today = local_day(now);
  const long difference = day_number(today) - day_number(then_day);
  if (difference <= 0) return "today";
  if (difference == 1) return "yesterday";
  static constexpr std::array<const char*, 12> kMonths = {
      "January", "February", "March",     "April",   "May",      "June",
      "July",    "August",   "September", "October", "November", "December"};
  std::string label = std::to_string(then_day.tm_mday) + " " + kMonths[then_day.tm_mon];
  if (then_day.tm_year != today.tm_year) label += " " + std::to_string(then_day.tm_year + 1900);
  return label;
}

}  // namespace devices::cups
