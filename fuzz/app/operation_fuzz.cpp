// Random desktop operations: the first byte is the execution kind, the rest
// the payload. Every input must end as a message, one of the four refusals,
// or "not ours", and a published action must parse back to a message.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/operation.hpp"
#include "app/resources.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t kind = data[0];
  const std::string_view payload(reinterpret_cast<const char*>(data + 1), size - 1);

  const auto parsed = app::parse_operation(kind, "orvane.operation", payload);
  if (const auto* error = std::get_if<app::OperationError>(&parsed)) {
    const std::string& text = error->message;
    const bool known = text.rfind("invalid Orvane operation: ", 0) == 0 ||
                       text == "unknown Orvane operation" ||
                       text == "Orvane operation has the wrong execution kind" ||
                       text == "Orvane resource is no longer available";
    if (!known) std::abort();
  }
  if (kind == 0 && !std::holds_alternative<app::NotMine>(parsed)) std::abort();

  // The same bytes as a queue name: its published actions parse back.
  devices::PrinterQueue printer;
  printer.name = std::string(payload);
  app::Snapshot snapshot{std::vector<devices::PrinterQueue>{printer},
                         std::vector<devices::PrintJob>{}, std::vector<devices::Scanner>{}};
  for (const auto& resource : app::build_resources(snapshot)) {
    for (const auto& child : resource.children) {
      for (const auto& action : child.actions) {
        auto again =
            app::parse_operation(action.execution_kind, action.operation, action.payload_json);
        if (!std::holds_alternative<app::Message>(again) && !printer.name.empty()) std::abort();
      }
    }
  }
  return 0;
}
