#pragma once
// The copies field holds whatever the user typed (a float); the service takes
// a whole number from 1 to 99.

#include <cstdint>

namespace printing {

// Limited to 1..99, then rounded to the nearest whole number (an exact half
// to the even neighbour); anything that is not a number becomes 1.
std::uint16_t copies_for_submission(double copies);

}  // namespace printing
