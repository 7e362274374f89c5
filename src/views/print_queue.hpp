#pragma once
// Every document the print service knows, one card each, with cancel (in
// two steps) or try again where the document's state allows it.

#include <optional>
#include <string>

#include "app/message.hpp"
#include "app/notice.hpp"
#include "app/snapshot.hpp"
#include "ui/widget.hpp"

namespace views {

// Cards for at most this many documents, the first ones of the list.
inline constexpr std::size_t kQueueLimit = 24;

ui::WidgetPtr queue_view(const app::Snapshot& snapshot,
                         const std::optional<std::string>& cancel_candidate,
                         const std::optional<app::Notice>& notice,
                         const app::MessageSender& sender);

}  // namespace views
