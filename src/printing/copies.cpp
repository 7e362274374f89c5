#include "printing/copies.hpp"

#include <charconv>
#include <cstdio>

namespace printing {

std::uint16_t copies_for_submission(double copies) {
  if (copies < 1.0) copies = 1.0;
  if (copies > 99.0) copies = 99.0;
  // Formatting without decimals rounds half to even ("2.5" gives "2"); a NaN
  // formats as "nan", which does not read back as a number.
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%.0f", copies);
  std::uint16_t whole = 0;
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof text) return 1;
  const auto [end, error] = std::from_chars(text, text + length, whole);
  if (error != std::errc{} || end != text + length) return 1;
  return whole;
}

}  // namespace printing
