#pragma once

#include <string>

namespace app {

// The banner that tells how the last operation ended.
struct Notice {
  std::string title;
  std::string detail;
  bool succeeded = false;
  friend bool operator==(const Notice&, const Notice&) = default;
};

}  // namespace app
