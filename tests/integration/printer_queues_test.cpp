// Printer queues as the real service reads them from cupsd, and the printer
// operations, checked against what the server itself then says (lpstat).

#include <gtest/gtest.h>

#include <algorithm>

#include "sample_documents.hpp"
#include "service_test.hpp"

namespace orvane_test {
namespace {

using devices::PrinterState;

class PrinterQueues : public ServiceTest {};

TEST_F(PrinterQueues, RefreshShowsQueuesWithSuppliesAndReasons) {
  // CUPS learns a printer's supplies and conditions while it prints a job.
  const std::string pdf = write_sample_pdf(fixture().dir() + "/supplies.pdf", 1);
  ASSERT_TRUE(service_->print_document("Studio_printer", pdf, 1, false).ok());
  ASSERT_TRUE(eventually([&] {
    const auto queue = queue_named("Studio_printer");
    return queue.markers.has_value() && queue.state == PrinterState::Idle;
  })) << "the printer never reported supplies, or did not finish the job";

  auto queues = service_->queues();
  ASSERT_TRUE(queues.ok()) << queues.error();
  std::vector<std::string> names;
  for (const auto& queue : queues.value()) names.push_back(queue.name);
  for (const std::string name : {"Hallway_printer", "Office_laser", "Studio_printer"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  }

  const auto studio = queue_named("Studio_printer");
  EXPECT_TRUE(studio.is_default);
  EXPECT_TRUE(studio.accepting_jobs);
  EXPECT_TRUE(studio.responding);
  ASSERT_TRUE(studio.markers.has_value());
  ASSERT_EQ(studio.markers->size(), 2u);
  EXPECT_EQ(studio.markers->at(0),
            (devices::Marker{"Black", std::string("#111111"), std::uint8_t{42}}));
  // The printer reports -1 for cyan: a level it does not know.
  EXPECT_EQ(studio.markers->at(1), (devices::Marker{"Cyan", std::string("#00AAFF"), std::nullopt}));
  EXPECT_TRUE(std::any_of(
      studio.state_reasons.begin(), studio.state_reasons.end(),
      [](const std::string& reason) { return reason.find("toner-low") != std::string::npos; }))
      << testing::PrintToString(studio.state_reasons);

  const auto office = queue_named("Office_laser");
  EXPECT_FALSE(office.is_default);
  EXPECT_FALSE(office.markers.has_value());
  EXPECT_TRUE(office.state_reasons.empty()) << "\"none\" is not a condition";
  EXPECT_EQ(office.state, PrinterState::Idle);
}

TEST_F(PrinterQueues, PauseAndResumeChangeTheServerState) {
  ASSERT_TRUE(service_->set_enabled("Office_laser", false).ok());
  EXPECT_NE(run_command("lpstat -p Office_laser").find("disabled"), std::string::npos);
  auto paused = queue_named("Office_laser");
  EXPECT_EQ(paused.state, PrinterState::Stopped);
  EXPECT_TRUE(paused.accepting_jobs) << "a paused queue still takes documents, which wait";

  ASSERT_TRUE(service_->set_enabled("Office_laser", true).ok());
  EXPECT_NE(run_command("lpstat -p Office_laser").find("is idle"), std::string::npos);
  EXPECT_EQ(queue_named("Office_laser").state, PrinterState::Idle);
}

TEST_F(PrinterQueues, ResumingAlsoAcceptsDocumentsAgain) {
  run_command("cupsreject Hallway_printer");
  EXPECT_FALSE(queue_named("Hallway_printer").accepting_jobs);
  ASSERT_TRUE(service_->set_enabled("Hallway_printer", true).ok());
  EXPECT_TRUE(queue_named("Hallway_printer").accepting_jobs);
  EXPECT_NE(run_command("lpstat -a Hallway_printer").find("accepting requests"), std::string::npos);
}

TEST_F(PrinterQueues, MakePreferredChangesTheDefault) {
  ASSERT_TRUE(service_->set_default("Office_laser").ok());
  EXPECT_NE(run_command("lpstat -d").find("Office_laser"), std::string::npos);
  auto queues = service_->queues();
  ASSERT_TRUE(queues.ok());
  for (const auto& queue : queues.value()) {
    EXPECT_EQ(queue.is_default, queue.name == "Office_laser") << queue.name;
  }
}

TEST_F(PrinterQueues, OperationsOnQueuesThatDoNotExistFail) {
  const std::string pdf = write_sample_pdf(fixture().dir() + "/nowhere.pdf", 1);
  for (const std::string name : {"No_such_printer", "two words", "../admin", "", "a#b"}) {
    SCOPED_TRACE("queue \"" + name + "\"");
    EXPECT_FALSE(service_->set_default(name).ok());
    EXPECT_FALSE(service_->set_enabled(name, false).ok());
    EXPECT_FALSE(service_->set_enabled(name, true).ok());
    EXPECT_FALSE(service_->print_document(name, pdf, 1, false).ok());
  }
  EXPECT_TRUE(queue_named("Studio_printer").is_default);
}

}  // namespace
}  // namespace orvane_test
