#pragma once
// Numbers in page content: the shortest decimal that reads back as the same
// 64-bit float, never with an exponent and without a fraction when whole.

#include <string>

namespace pdf {

std::string format_pdf_number(double value);

}  // namespace pdf
