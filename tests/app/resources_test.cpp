#include "app/resources.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/operation.hpp"

namespace {

using devices::JobState;

std::vector<std::string> action_ids(const ui::Resource& r) {
  std::vector<std::string> ids;
  for (const auto& a : r.actions) ids.push_back(a.id + ":" + a.label);
  return ids;
}

std::string decoded(const ui::ActionSpec& action) {
  return nlohmann::json::parse(action.payload_json).get<std::string>();
}

devices::PrinterQueue printer(std::string name, bool is_default, bool accepting) {
  devices::PrinterQueue p;
  p.name = std::move(name);
  p.is_default = is_default;
  p.accepting_jobs = accepting;
  return p;
}

devices::PrintJob job(std::string id, std::optional<JobState> state) {
  devices::PrintJob j;
  j.id = std::move(id);
  j.state = state;
  return j;
}

TEST(Resources, WithoutSnapshotOnlyTheApplicationWithItsEightActions) {
  auto tree = app::build_resources(std::nullopt);
  ASSERT_EQ(tree.size(), 1u);
  const auto& root = tree.front();
  EXPECT_EQ(root.id, "orvane");
  EXPECT_EQ(root.kind, "orvane.dashboard");
  EXPECT_EQ(root.title, "Orvane");
  EXPECT_TRUE(root.children.empty());
  const std::vector<std::string> expected{"refresh:Refresh printers and documents",
                                          "open-dashboard:Open dashboard",
                                          "open-queue:Open print queue",
                                          "open-history:Open print history",
                                          "run-diagnostics:Run printer diagnostics",
                                          "find-printers:Find network printers",
                                          "print-document:Print a document",
                                          "scan-document:Scan a document"};
  EXPECT_EQ(action_ids(root), expected);
  const std::vector<std::pair<std::uint8_t, std::string>> kinds_and_payloads{
      {1, "refresh"},     {2, "dashboard"}, {2, "queue"}, {2, "history"},
      {2, "diagnostics"}, {1, "discover"},  {2, "print"}, {2, "scan"}};
  for (std::size_t i = 0; i < root.actions.size(); ++i) {
    EXPECT_EQ(root.actions[i].execution_kind, kinds_and_payloads[i].first);
    EXPECT_EQ(decoded(root.actions[i]), kinds_and_payloads[i].second);
    EXPECT_EQ(root.actions[i].operation, "orvane.operation");
  }
}

TEST(Resources, PrinterDocumentAndScannerChildren) {
  app::Snapshot snapshot{std::vector<devices::PrinterQueue>{printer("Studio_printer", true, true),
                                                            printer("Office", false, false)},
                         std::vector<devices::PrintJob>{job("Office-1", JobState::Completed),
                                                        job("Office-2", JobState::Canceled),
                                                        job("Office-3", JobState::Stopped),
                                                        job("Office-4", std::nullopt)},
                         std::vector<devices::Scanner>{{"test:0", "Test scanner"}}};
  auto root = app::build_resources(snapshot).front();
  ASSERT_EQ(root.children.size(), 7u);

  const auto& studio = root.children[0];
  EXPECT_EQ(studio.id, "orvane.printer.53747564696f5f7072696e746572");
  EXPECT_EQ(studio.kind, "orvane.printer");
  EXPECT_EQ(studio.title, "Studio printer");
  EXPECT_EQ(action_ids(studio),
            (std::vector<std::string>{"open:Open printer", "toggle-enabled:Pause printer"}));

  const auto& office = root.children[1];
  EXPECT_EQ(action_ids(office),
            (std::vector<std::string>{"open:Open printer", "set-default:Set as default printer",
                                      "toggle-enabled:Resume printer"}));
  EXPECT_EQ(decoded(office.actions[2]), std::string("resume\0Office", 13));
  EXPECT_EQ(office.actions[2].execution_kind, 1);

  EXPECT_EQ(action_ids(root.children[2]), (std::vector<std::string>{"open-queue:Open queue"}));
  EXPECT_EQ(action_ids(root.children[3]),
            (std::vector<std::string>{"open-queue:Open queue", "retry:Print again"}));
  EXPECT_EQ(action_ids(root.children[4]),
            (std::vector<std::string>{"open-queue:Open queue", "cancel:Cancel document",
                                      "retry:Print again"}));
  EXPECT_EQ(action_ids(root.children[5]), (std::vector<std::string>{"open-queue:Open queue"}));
  EXPECT_EQ(root.children[5].title, "Document 4");

  const auto& scanner = root.children[6];
  EXPECT_EQ(scanner.id, "orvane.scanner." + app::hex_id("test:0"));
  EXPECT_EQ(scanner.title, "Test scanner");
  EXPECT_EQ(decoded(scanner.actions.at(0)), std::string("scan-device\0test:0", 18));
}

TEST(Resources, AFailedListContributesNoChildren) {
  app::Snapshot snapshot{std::vector<devices::PrinterQueue>{printer("Office", true, true)},
                         platform::err("jobs down"), platform::err("scanners down")};
  auto root = app::build_resources(snapshot).front();
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(root.children[0].kind, "orvane.printer");
}

TEST(Resources, EveryPublishedActionParsesBackToItsMessage) {
  app::Snapshot snapshot{std::vector<devices::PrinterQueue>{printer("Office", false, true)},
                         std::vector<devices::PrintJob>{job("Office-2", JobState::Stopped)},
                         std::vector<devices::Scanner>{{"s", "S"}}};
  auto root = app::build_resources(snapshot).front();
  std::vector<ui::ActionSpec> all = root.actions;
  for (const auto& child : root.children)
    all.insert(all.end(), child.actions.begin(), child.actions.end());
  for (const auto& action : all) {
    SCOPED_TRACE(action.id);
    auto parsed =
        app::parse_operation(action.execution_kind, action.operation, action.payload_json);
    EXPECT_TRUE(std::holds_alternative<app::Message>(parsed));
  }
}

TEST(Resources, HexIdsUseTwoLowercaseDigitsPerByte) {
  EXPECT_EQ(app::hex_id("ab"), "6162");
  EXPECT_EQ(app::hex_id(""), "");
  EXPECT_EQ(app::hex_id("\xff\x01"), "ff01");
}

}  // namespace
