#include "desktop/launch_options.hpp"

namespace desktop {

ParsedLaunch parse_launch_options(const std::vector<std::string>& args) {
  ParsedLaunch parsed;
  auto& o = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::optional<std::string>& slot) {
      if (i + 1 >= args.size()) {
        parsed.error = arg + " needs a value";
        return;
      }
      slot = args[++i];
    };
    if (arg == "--scenario") {
      value(o.scenario);
    } else if (arg == "--screenshot") {
      value(o.screenshot);
    } else if (arg == "--dump-tree") {
      value(o.dump_tree);
    } else if (arg == "--action") {
      value(o.action);
      if (o.action && *o.action != "print-document" && *o.action != "scan-document") {
        parsed.error = "unknown action " + *o.action;
      }
    } else if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else {
      parsed.error = "unknown argument " + arg;
    }
    if (!parsed.error.empty()) break;
  }
  return parsed;
}

}  // namespace desktop
