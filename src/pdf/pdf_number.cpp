#include "pdf/pdf_number.hpp"

#include <charconv>

namespace pdf {

std::string format_pdf_number(double value) {
  // Fixed notation of the smallest positive double needs about 330 digits;
  // the largest needs 309 before the point.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (result.ec != std::errc{}) return "0";
  return std::string(buffer, result.ptr);
}

}  // namespace pdf
