#pragma once
// Documents to print in tests.

#include <string>

namespace orvane_test {

// Writes a valid PDF with `pages` A4 pages (a filled square on each) and
// returns its path.
std::string write_sample_pdf(const std::string& path, int pages);

}  // namespace orvane_test
