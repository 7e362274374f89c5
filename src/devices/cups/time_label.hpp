#pragma once
// The short time of a job as people say it: "today", "yesterday", or a date.

#include <ctime>
#include <string>

namespace devices::cups {

// `when` and `now` are seconds since the epoch, compared as local calendar
// days. Times in the future (a clock set differently) also read "today".
// Other days read "12 March" within the current year and "12 March 2024"
// before it. An unknown time (zero or negative) gives an empty text.
std::string time_label(std::time_t when, std::time_t now);

}  // namespace devices::cups
