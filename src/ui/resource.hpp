#pragma once
// Resources and actions a widget tree publishes to the desktop, and the
// outcome of a resource operation sent back to it.

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

struct ActionSpec {
  std::string id;
  std::string label;
  std::uint8_t execution_kind = 0;  // 1 command, 2 navigation
  std::string operation;            // e.g. "orvane.operation"
  std::string payload_json;         // the payload as a JSON string value
  friend bool operator==(const ActionSpec&, const ActionSpec&) = default;
};

struct Resource {
  std::string id;
  std::string kind;
  std::string title;
  std::vector<ActionSpec> actions;
  std::vector<Resource> children;
  friend bool operator==(const Resource&, const Resource&) = default;
};

struct OperationOutcome {
  enum class Status { NotHandled, Handled, Failed };
  Status status = Status::NotHandled;
  std::string message;  // only for Failed

  static OperationOutcome not_handled() { return {}; }
  static OperationOutcome handled() { return {Status::Handled, {}}; }
  static OperationOutcome failed(std::string text) { return {Status::Failed, std::move(text)}; }
  friend bool operator==(const OperationOutcome&, const OperationOutcome&) = default;
};

}  // namespace ui
