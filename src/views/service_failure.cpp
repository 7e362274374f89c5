#include "views/service_failure.hpp"

#include "views/blocks.hpp"

namespace views {

namespace {

std::string failure_title(const std::vector<std::string>& categories) {
  if (categories.size() > 1) return "Some device information couldn't be checked";
  const std::string& only = categories.front();
  if (only == "printers") return "Printers couldn't be checked";
  if (only == "documents") return "Print jobs couldn't be checked";
  return "Scanners couldn't be checked";
}

std::string failure_detail(const std::vector<std::string>& categories) {
  std::string joined;
  for (const auto& word : categories) {
    if (!joined.empty()) joined += " or ";
    joined += word;
  }
  return "Orvane couldn't get " + joined +
         " right now. Your saved devices and documents have not been removed.";
}

}  // namespace

std::vector<std::string> failed_categories(const app::Snapshot& snapshot, bool include_printers,
                                           bool include_documents, bool include_scanners) {
  std::vector<std::string> words;
  if (include_printers && !snapshot.printers.ok()) words.emplace_back("printers");
  if (include_documents && !snapshot.jobs.ok()) words.emplace_back("documents");
  if (include_scanners && !snapshot.scanners.ok()) words.emplace_back("scanners");
  return words;
}

ui::WidgetPtr service_failure_card(const std::vector<std::string>& categories,
                                   const app::MessageSender& sender) {
  if (categories.empty()) return nullptr;
  return titled_card(
      failure_title(categories),
      primary_button("orvane.service.retry", "Try again", 76, sender, app::msg::Refresh{}),
      body_text(failure_detail(categories)));
}

}  // namespace views
