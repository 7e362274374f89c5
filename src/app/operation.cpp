#include "app/operation.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <optional>

namespace app {
namespace {

constexpr const char* kWrongKind = "Orvane operation has the wrong execution kind";

struct Command {
  std::string_view word;
  std::uint8_t kind;
};

constexpr std::array<Command, 14> kCommands{{
    {"discover", kCommand},
    {"default", kCommand},
    {"pause", kCommand},
    {"resume", kCommand},
    {"cancel", kCommand},
    {"retry", kCommand},
    {"dashboard", kNavigation},
    {"queue", kNavigation},
    {"history", kNavigation},
    {"diagnostics", kNavigation},
    {"print", kNavigation},
    {"scan", kNavigation},
    {"device", kNavigation},
    {"scan-device", kNavigation},
}};

std::optional<Message> message_for(std::string_view command, std::string argument) {
  if (command == "discover") return msg::DiscoverPrinters{};
  if (command == "dashboard") return msg::ReturnToDashboard{};
  if (command == "queue") return msg::OpenQueue{};
  if (command == "history") return msg::OpenHistory{};
  if (command == "diagnostics") return msg::OpenDiagnostics{};
  if (command == "print") return msg::PrintDocument{};
  if (command == "scan") return msg::OpenScan{};
  // The rest name a printer, document or scanner.
  if (argument.empty()) return std::nullopt;
  if (command == "device") return msg::OpenPrinter{std::move(argument)};
  if (command == "scan-device") return msg::SelectScanner{std::move(argument)};
  if (command == "default") return msg::SetDefaultPrinter{std::move(argument)};
  if (command == "pause") return msg::SetPrinterEnabled{std::move(argument), false};
  if (command == "resume") return msg::SetPrinterEnabled{std::move(argument), true};
  if (command == "cancel") return msg::CancelJob{std::move(argument)};
  return msg::RetryJob{std::move(argument)};
}

}  // namespace

ParsedOperation parse_operation(std::uint8_t execution_kind, std::string_view name,
                                std::string_view payload) {
  if (execution_kind == 0 || name != kOperationName) return NotMine{};

  std::string text;
  try {
    text = nlohmann::json::parse(payload).get<std::string>();
  } catch (const nlohmann::json::exception& error) {
    return OperationError{std::string("invalid Orvane operation: ") + error.what()};
  }

  const auto nul = text.find('\0');
  const std::string command = text.substr(0, nul);
  std::string argument = nul == std::string::npos ? std::string() : text.substr(nul + 1);

  if (command == "refresh") {
    if (execution_kind != kCommand) return OperationError{kWrongKind};
    return Message{msg::Refresh{}};
  }
  const auto* found = std::find_if(kCommands.begin(), kCommands.end(),
                                   [&](const Command& c) { return c.word == command; });
  if (found == kCommands.end()) return OperationError{"unknown Orvane operation"};
  if (execution_kind != found->kind) return OperationError{kWrongKind};
  auto message = message_for(command, std::move(argument));
  if (!message) return OperationError{"Orvane resource is no longer available"};
  return std::move(*message);
}

}  // namespace app
