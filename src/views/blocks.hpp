#pragma once
// The pieces every screen is built from, so that all of them share one look:
// three text styles, fixed gaps, the five kinds of button, cards, the page
// header and frame, and the notice banner. Every builder returns an owned
// widget that the caller pushes into a column or row.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/message.hpp"
#include "app/notice.hpp"
#include "ui/widgets.hpp"
#include "views/dashboard_card.hpp"

namespace views {

// Text styles.
std::unique_ptr<ui::Text> heading_text(std::string text, int size);
std::unique_ptr<ui::Text> body_text(std::string text);        // size 14
std::unique_ptr<ui::Text> supporting_text(std::string text);  // size 13, secondary

// An empty container of fixed height: vertical space inside a column.
std::unique_ptr<ui::Container> gap(int height);

// Buttons. Message buttons keep a clone of the sender and their own copy of
// the message, and send one more copy on every activation; a send to a
// receiver that is gone fails silently. A control-only button carries no
// message and its activation does nothing.
std::unique_ptr<ui::Button> primary_button(std::string id, std::string label, int icon,
                                           const app::MessageSender& sender, app::Message message);
std::unique_ptr<ui::Button> secondary_button(std::string id, std::string label, int icon,
                                             const app::MessageSender& sender,
                                             app::Message message);
std::unique_ptr<ui::Button> plain_button(std::string id, std::string label,
                                         const app::MessageSender& sender, app::Message message,
                                         bool secondary_style = false);
std::unique_ptr<ui::Button> control_button(std::string id, std::string label);

// Standalone icon of the toolkit's icon set.
std::unique_ptr<ui::Icon> icon(int number, int size);

// Cards: a titled surface (the action may be null) and a plain card.
std::unique_ptr<ui::Card> titled_card(std::string title, ui::WidgetPtr action,
                                      ui::WidgetPtr content);
std::unique_ptr<ui::Card> plain_card(ui::WidgetPtr child);

// A DashboardCard around a card-look container holding: heading 18 title,
// gap 14, first, gap 16, second.
std::unique_ptr<DashboardCard> dashboard_card(std::string title, ui::WidgetPtr first,
                                              ui::WidgetPtr second);

// Progress bars: filled to a fraction (kept within 0..1), or indeterminate.
std::unique_ptr<ui::ProgressBar> progress_bar(double fraction, std::string label);
std::unique_ptr<ui::ProgressBar> indeterminate_progress_bar(std::string label);
// A job's progress bar: percent / 100, empty when the percent is unknown.
std::unique_ptr<ui::ProgressBar> percent_progress_bar(std::optional<std::uint8_t> percent,
                                                      std::string label);

// Page X of Y; the count is raised to at least 1, the page clamped to 1..count.
std::unique_ptr<ui::PagePreview> page_preview(std::string label, std::uint32_t page,
                                              std::uint32_t page_count);

// The back button "Orvane" (to the dashboard), gap 14, heading 28 title and
// supporting subtitle. Every view but the loading, first-printer and
// dashboard views starts with it.
std::unique_ptr<ui::Column> page_header(std::string title, std::string subtitle,
                                        const app::MessageSender& sender);

// The start screens' header: "Orvane" with a subtitle, and the control-only
// buttons "Add printer" and "Print a document".
std::unique_ptr<ui::Row> header_row(std::string subtitle);

// Scrolls the page and centres it, never wider than `max_width`.
inline constexpr int kWidePage = 1120;
inline constexpr int kNarrowPage = 920;
ui::WidgetPtr page_frame(ui::WidgetPtr page, int max_width);

// Success tone for a notice that succeeded, error tone otherwise.
std::unique_ptr<ui::Banner> notice_banner(const app::Notice& notice);

}  // namespace views
