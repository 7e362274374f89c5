#pragma once
// The desktop's resource operation "orvane.operation": a JSON string payload
// made of a command word, optionally one NUL and an argument.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "app/message.hpp"

namespace app {

inline constexpr std::string_view kOperationName = "orvane.operation";

inline constexpr std::uint8_t kCommand = 1;
inline constexpr std::uint8_t kNavigation = 2;

struct NotMine {};
struct OperationError {
  std::string message;
};
// What a payload asks for: a message to dispatch, a refusal with its text, or
// nothing because the operation is not ours.
using ParsedOperation = std::variant<Message, OperationError, NotMine>;

ParsedOperation parse_operation(std::uint8_t execution_kind, std::string_view name,
                                std::string_view payload);

}  // namespace app
