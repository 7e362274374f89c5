#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "printing/copies.hpp"

namespace {

TEST(Copies, LimitedToOneToNinetyNineAndRoundedHalfToEven) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double typed;
    std::uint16_t sent;
  };
  const Case cases[] = {
      {0.4, 1},  {120, 99}, {2.5, 2},    {3.5, 4},  {7, 7},        {nan, 1},
      {-nan, 1}, {-3, 1},   {0.0, 1},    {1.5, 2},  {98.5, 98},    {99.49, 99},
      {inf, 99}, {-inf, 1}, {2.4999, 2}, {2.51, 3}, {65536.0, 99},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(printing::copies_for_submission(c.typed), c.sent);
  }
}

}  // namespace
