#pragma once
// The card a view puts near its top when a part of the snapshot it depends
// on could not be read. It names only the parts, never the service's own
// error text, and offers "Try again" (a fresh refresh).

#include <string>
#include <vector>

#include "app/message.hpp"
#include "app/snapshot.hpp"
#include "ui/widget.hpp"

namespace views {

// The words "printers", "documents", "scanners" (always in that order) for
// the asked-about parts that are errors.
std::vector<std::string> failed_categories(const app::Snapshot& snapshot, bool include_printers,
                                           bool include_documents, bool include_scanners);

// Null for an empty list, otherwise the titled failure card.
ui::WidgetPtr service_failure_card(const std::vector<std::string>& categories,
                                   const app::MessageSender& sender);

}  // namespace views
