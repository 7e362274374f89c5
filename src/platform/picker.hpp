#pragma once
// The file picker and clipboard as the application sees them. The host (Qt)
// implements them; tests use scripted ones. A picker runs outside the UI
// thread's control and delivers exactly one outcome on its receiver; dropping
// the receiver abandons the request.

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/channel.hpp"

namespace platform {

struct FileFilter {
  std::string name;
  std::vector<std::string> mime_types;  // empty with no patterns: all files
  std::vector<std::string> patterns;    // e.g. "*.pdf"
};

enum class PickMode { Open, Save };

struct PickRequest {
  std::string thread_name;  // e.g. "orvane-document-picker"
  PickMode mode = PickMode::Open;
  std::string title;
  std::string accept_label;
  std::string suggested_name;  // save only
  std::vector<FileFilter> filters;
};

struct PickedPath {
  std::string path;
};
struct PickCancelled {};
struct PickFailed {
  std::string reason;
};
using PickOutcome = std::variant<PickedPath, PickCancelled, PickFailed>;

class FilePicker {
 public:
  virtual ~FilePicker() = default;
  // Never blocks. An empty receiver means the picker could not be started.
  virtual Receiver<PickOutcome> pick(const PickRequest& request) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool copy_text(const std::string& text) = 0;
};

// The host's facilities that the application reaches through the root.
struct HostServices {
  std::shared_ptr<FilePicker> picker;
  std::shared_ptr<Clipboard> clipboard;
};

}  // namespace platform
