#pragma once
// The clipboard through Qt. Copying from another thread is queued to the GUI
// thread, where Qt's clipboard lives.

#include "platform/picker.hpp"

namespace qthost {

class QtClipboard final : public platform::Clipboard {
 public:
  // False when there is no GUI application to hold the text.
  bool copy_text(const std::string& text) override;
};

}  // namespace qthost
