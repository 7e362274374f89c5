#pragma once
// The command line of the `orvane` program.

#include <optional>
#include <string>
#include <vector>

namespace desktop {

struct LaunchOptions {
  std::optional<std::string> scenario;
  std::optional<std::string> screenshot;  // PNG path: render and exit
  std::optional<std::string> dump_tree;   // JSON path: write the tree and exit
  std::optional<std::string> action;      // "print-document" or "scan-document"
  bool help = false;
};

struct ParsedLaunch {
  LaunchOptions options;
  std::string error;  // non-empty: the arguments were not understood
};

ParsedLaunch parse_launch_options(const std::vector<std::string>& args);

inline constexpr const char* kUsage =
    "usage: orvane [--scenario NAME] [--screenshot FILE.png | --dump-tree FILE.json]\n"
    "       orvane --action print-document|scan-document\n";

}  // namespace desktop
