#include "pdf/pdf_number.hpp"

#include <gtest/gtest.h>

namespace {

TEST(PdfNumber, WritesTheShortestRoundTripDecimalWithoutExponent) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {559, "559"},
      {18, "18"},
      {219.5, "219.5"},
      {0.25, "0.25"},
      {0, "0"},
      {0.1 + 0.2, "0.30000000000000004"},
      {806.0 / 3.0, "268.6666666666667"},
      {2.015e-07, "0.0000002015"},
      {1e21, "1000000000000000000000"},
      {123456789012345680.0, "123456789012345680"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pdf::format_pdf_number(c.value), c.text) << c.text;
  }
}

}  // namespace
