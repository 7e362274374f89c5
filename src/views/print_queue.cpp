#include "views/print_queue.hpp"

#include <algorithm>

#include "devices/service.hpp"
#include "views/blocks.hpp"
#include "views/service_failure.hpp"

namespace views {

namespace {

bool offers_retry(std::optional<devices::JobState> state) {
  return state == devices::JobState::Stopped || state == devices::JobState::Canceled ||
         state == devices::JobState::Aborted;
}

bool offers_cancel(std::optional<devices::JobState> state) {
  return state != devices::JobState::Canceled && state != devices::JobState::Completed;
}

ui::WidgetPtr job_controls(const devices::PrintJob& job,
                           const std::optional<std::string>& cancel_candidate,
                           const app::MessageSender& sender) {
  auto controls = std::make_unique<ui::Row>();
  if (offers_retry(job.state)) {
    controls->push(
        plain_button("orvane.job.retry", "Try again", sender, app::msg::RetryJob{job.id}));
  }
  if (offers_cancel(job.state)) {
    if (cancel_candidate == job.id) {
      controls->push(
          plain_button("orvane.job.cancel", "Confirm cancel", sender, app::msg::CancelJob{job.id}));
    } else {
      controls->push(
          plain_button("orvane.job.cancel", "Cancel", sender, app::msg::AskCancelJob{job.id}));
    }
  }
  return controls;
}

ui::WidgetPtr job_card(const devices::PrintJob& job,
                       const std::optional<std::string>& cancel_candidate,
                       const app::MessageSender& sender) {
  const auto position = devices::current_page(job);
  auto details = std::make_unique<ui::Column>();
  details->push(body_text(devices::queue_label(job.state)));
  details->push(supporting_text("Sent to " + devices::display_name(job.printer)));
  details->push(gap(10));
  details->push(percent_progress_bar(devices::page_progress_percent(job), "Document progress"));
  details->push(gap(10));
  details->push(job_controls(job, cancel_candidate, sender));

  auto content = std::make_unique<ui::Row>();
  content->push(page_preview("Queued document", position.current, position.total));
  content->push(std::move(details));
  return titled_card(devices::job_display_title(job), nullptr, std::move(content));
}

}  // namespace

ui::WidgetPtr queue_view(const app::Snapshot& snapshot,
                         const std::optional<std::string>& cancel_candidate,
                         const std::optional<app::Notice>& notice,
                         const app::MessageSender& sender) {
  auto page = std::make_unique<ui::Column>();
  page->push(page_header("Print queue", "Every document, in one place", sender));
  page->push(gap(20));
  if (notice) {
    page->push(notice_banner(*notice));
    page->push(gap(14));
  }
  if (auto failure =
          service_failure_card(failed_categories(snapshot, false, true, false), sender)) {
    page->push(std::move(failure));
    page->push(gap(14));
  }
  if (cancel_candidate) {
    auto banner = std::make_unique<ui::Banner>();
    banner->tone = ui::Tone::Warning;
    banner->title = "Cancel this document?";
    banner->detail = "It will be removed from the printer. This cannot be undone.";
    page->push(std::move(banner));
    page->push(gap(14));
  }
  if (snapshot.jobs.ok() && !snapshot.jobs.value().empty()) {
    const auto& jobs = snapshot.jobs.value();
    auto grid = std::make_unique<ui::CardGrid>();
    grid->min_card_width = 330;
    grid->max_card_width = 420;
    const std::size_t shown = std::min(jobs.size(), kQueueLimit);
    for (std::size_t i = 0; i < shown; ++i) grid->push(job_card(jobs[i], cancel_candidate, sender));
    page->push(std::move(grid));
  } else {
    page->push(
        titled_card("Nothing waiting", nullptr,
                    body_text("New documents will appear here as soon as an app sends them.")));
  }
  return page_frame(std::move(page), kNarrowPage);
}

}  // namespace views
