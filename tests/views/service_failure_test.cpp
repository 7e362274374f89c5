#include "views/service_failure.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using views_test::Inbox;

app::Snapshot failing(bool printers, bool jobs, bool scanners) {
  auto snapshot = views_test::empty_snapshot();
  if (printers) snapshot.printers = platform::err("cups: connection refused");
  if (jobs) snapshot.jobs = platform::err("cups: timeout");
  if (scanners) snapshot.scanners = platform::err("sane: no backend");
  return snapshot;
}

TEST(FailedCategories, ListsOnlyAskedAboutErrorsInFixedOrder) {
  struct Case {
    bool printers_fail, jobs_fail, scanners_fail;
    bool ask_printers, ask_documents, ask_scanners;
    std::vector<std::string> want;
  };
  const std::vector<Case> cases = {
      {false, false, false, true, true, true, {}},
      {true, true, true, true, true, true, {"printers", "documents", "scanners"}},
      {false, false, true, true, true, true, {"scanners"}},
      {true, false, true, true, true, true, {"printers", "scanners"}},
      // The queue and history only ask about documents.
      {true, false, false, false, true, false, {}},
      {true, true, false, false, true, false, {"documents"}},
      // Diagnostics ask about printers and scanners.
      {true, true, true, true, false, true, {"printers", "scanners"}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(views::failed_categories(failing(c.printers_fail, c.jobs_fail, c.scanners_fail),
                                       c.ask_printers, c.ask_documents, c.ask_scanners),
              c.want)
        << "case " << i;
  }
}

TEST(ServiceFailureCard, TitleAndDetailByFailedParts) {
  Inbox inbox;
  struct Case {
    std::vector<std::string> categories;
    std::string title;
    std::string joined;
  };
  const std::vector<Case> cases = {
      {{"printers"}, "Printers couldn't be checked", "printers"},
      {{"documents"}, "Print jobs couldn't be checked", "documents"},
      {{"scanners"}, "Scanners couldn't be checked", "scanners"},
      {{"printers", "documents"},
       "Some device information couldn't be checked",
       "printers or documents"},
      {{"printers", "scanners"},
       "Some device information couldn't be checked",
       "printers or scanners"},
      {{"printers", "documents", "scanners"},
       "Some device information couldn't be checked",
       "printers or documents or scanners"},
  };
  for (const auto& c : cases) {
    auto card = views::service_failure_card(c.categories, inbox.sender);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(ui::texts(*card),
              (std::vector<std::string>{
                  c.title, "Try again",
                  "Orvane couldn't get " + c.joined +
                      " right now. Your saved devices and documents have not been removed."}));
  }
}

TEST(ServiceFailureCard, NothingForNoFailureAndTryAgainRefreshes) {
  Inbox inbox;
  EXPECT_EQ(views::service_failure_card({}, inbox.sender), nullptr);

  auto card = views::service_failure_card({"scanners"}, inbox.sender);
  const auto* retry = views_test::button(*card, "orvane.service.retry");
  ASSERT_NE(retry, nullptr);
  EXPECT_EQ(retry->style, ui::ButtonStyle::Primary);
  EXPECT_EQ(retry->icon, 76);
  ASSERT_TRUE(ui::invoke(*card, "orvane.service.retry"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::Refresh{}});
}

TEST(ServiceFailureCard, NeverShowsTheServiceErrorText) {
  Inbox inbox;
  const auto snapshot = failing(true, true, true);
  auto card = views::service_failure_card(views::failed_categories(snapshot, true, true, true),
                                          inbox.sender);
  for (const auto& text : ui::texts(*card)) {
    EXPECT_EQ(text.find("cups"), std::string::npos) << text;
    EXPECT_EQ(text.find("sane"), std::string::npos) << text;
  }
}

}  // namespace
