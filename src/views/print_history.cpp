#include "views/print_history.hpp"

#include <string>

#include "views/blocks.hpp"
#include "views/service_failure.hpp"

namespace views {

namespace {

std::string pages_text(const std::optional<std::uint32_t>& pages_total) {
  if (!pages_total) return "Page count unavailable";
  return std::to_string(*pages_total) + (*pages_total == 1 ? " page" : " pages");
}

ui::WidgetPtr history_card(const devices::PrintJob& job, const app::MessageSender& sender) {
  // The preview shows the last page of a finished document.
  const std::uint32_t last_page = job.pages_total && *job.pages_total >= 1 ? *job.pages_total : 1;

  auto details = std::make_unique<ui::Column>();
  details->push(
      body_text(devices::history_label(job.state.value_or(devices::JobState::Completed))));
  details->push(supporting_text(pages_text(job.pages_total) + ", sent to " +
                                devices::display_name(job.printer) + ", " + job.time_label));
  details->push(gap(12));
  details->push(secondary_button("orvane.history.repeat." + job.id, "Print again", 76, sender,
                                 app::msg::RetryJob{job.id}));

  auto content = std::make_unique<ui::Row>();
  content->push(page_preview("Printed document", last_page, last_page));
  content->push(std::move(details));
  return titled_card(devices::job_display_title(job), nullptr, std::move(content));
}

}  // namespace

ui::WidgetPtr history_view(const app::Snapshot& snapshot, const app::MessageSender& sender) {
  auto page = std::make_unique<ui::Column>();
  page->push(page_header("Print history", "Documents retained by your print service", sender));
  page->push(gap(20));
  if (auto failure =
          service_failure_card(failed_categories(snapshot, false, true, false), sender)) {
    page->push(std::move(failure));
    page->push(gap(14));
  }
  std::size_t shown = 0;
  if (snapshot.jobs.ok()) {
    for (const auto& job : snapshot.jobs.value()) {
      if (shown == kHistoryLimit) break;
      if (!devices::is_finished(job)) continue;
      auto box = std::make_unique<ui::Container>();
      box->max_width = 840;
      box->with_child(history_card(job, sender));
      page->push(std::move(box));
      page->push(gap(12));
      ++shown;
    }
  }
  if (shown == 0) {
    page->push(titled_card(
        "No completed documents yet", nullptr,
        body_text("After a document finishes or is canceled, its status will appear here.")));
  }
  return page_frame(std::move(page), kNarrowPage);
}

}  // namespace views
