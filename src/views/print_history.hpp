#pragma once
// The documents the print service still retains after they finished, each
// with what became of it and "Print again".

#include <cstddef>

#include "app/message.hpp"
#include "app/snapshot.hpp"
#include "ui/widget.hpp"

namespace views {

// Cards for at most this many finished documents, the first ones of the list.
inline constexpr std::size_t kHistoryLimit = 50;

ui::WidgetPtr history_view(const app::Snapshot& snapshot, const app::MessageSender& sender);

}  // namespace views
