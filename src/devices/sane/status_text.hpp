#pragma once
// SANE statuses in words people can act on.

#include <sane/sane.h>

#include <string>

namespace devices::sane {

// "The document feeder is jammed.", "The scanner cover is open.", ...
std::string status_text(SANE_Status status);

}  // namespace devices::sane
