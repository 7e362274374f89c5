// Reading CUPS responses into records, from IPP messages built here the way
// cupsd builds them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "devices/cups/ipp_message.hpp"
#include "devices/cups/job_reader.hpp"
#include "devices/cups/printer_reader.hpp"
#include "devices/cups/time_label.hpp"

namespace devices::cups {
namespace {

void add_text(ipp_t* message, ipp_tag_t group, ipp_tag_t type, const char* name,
              std::vector<const char*> values) {
  ippAddStrings(message, group, type, name, static_cast<int>(values.size()), nullptr,
                values.data());
}

IppPtr printers_response() {
  IppPtr response(ippNew());
  ippSetStatusCode(response.get(), IPP_STATUS_OK);
  add_text(response.get(), IPP_TAG_OPERATION, IPP_TAG_CHARSET, "attributes-charset", {"utf-8"});

  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", {"Studio_printer"});
  ippAddInteger(response.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-state-reasons",
           {"toner-low-report", "media-empty-warning"});
  ippAddBoolean(response.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_NAME, "marker-names",
           {"Black", "Cyan", "Waste"});
  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_NAME, "marker-colors",
           {"#111111", "none", "#00FFFF"});
  const int levels[] = {42, -2, 130};
  ippAddIntegers(response.get(), IPP_TAG_PRINTER, IPP_TAG_INTEGER, "marker-levels", 3, levels);
  ippAddSeparator(response.get());

  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", {"Office_laser"});
  ippAddInteger(response.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state",
                IPP_PSTATE_PROCESSING);
  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-state-reasons", {"none"});
  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-state-message",
           {"The printer may not exist or is unavailable at this time."});
  ippAddBoolean(response.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 0);
  ippAddSeparator(response.get());

  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", {"Hallway_printer"});
  ippAddInteger(response.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_STOPPED);
  add_text(response.get(), IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-state-reasons", {"paused"});
  ippAddBoolean(response.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
  return response;
}

TEST(ReadQueues, EveryPrinterGroupBecomesAQueue) {
  const IppPtr response = printers_response();
  const auto queues = read_queues(response.get(), std::string("Office_laser"));
  ASSERT_EQ(queues.size(), 3u);

  const PrinterQueue& studio = queues[0];
  EXPECT_EQ(studio.name, "Studio_printer");
  EXPECT_EQ(studio.state, PrinterState::Idle);
  EXPECT_TRUE(studio.responding);
  EXPECT_FALSE(studio.is_default);
  EXPECT_EQ(studio.state_reasons,
            (std::vector<std::string>{"toner-low-report", "media-empty-warning"}));
  const std::vector<Marker> markers = {
      {"Black", "#111111", 42}, {"Cyan", std::nullopt, std::nullopt}, {"Waste", "#00FFFF", 100}};
  EXPECT_EQ(studio.markers, markers);

  const PrinterQueue& office = queues[1];
  EXPECT_EQ(office.state, PrinterState::Unreachable);
  EXPECT_FALSE(office.responding);
  EXPECT_TRUE(office.is_default);
  EXPECT_FALSE(office.accepting_jobs);
  EXPECT_TRUE(office.state_reasons.empty());
  EXPECT_FALSE(office.markers.has_value());
  EXPECT_EQ(office.detail, std::optional<std::string>(
                               "The printer may not exist or is unavailable at this time."));

  EXPECT_EQ(queues[2].state, PrinterState::Stopped);
  EXPECT_EQ(queues[2].state_reasons, std::vector<std::string>{"paused"});
}

TEST(ReadQueues, StateFromStateReasonsAndMessage) {
  const struct {
    int state;
    std::vector<std::string> reasons;
    std::string message;
    PrinterState expected;
  } cases[] = {
      {IPP_PSTATE_IDLE, {}, "", PrinterState::Idle},
      {IPP_PSTATE_PROCESSING, {}, "Printing page 2", PrinterState::Processing},
      {IPP_PSTATE_PROCESSING,
       {"connecting-to-device"},
       "Connecting to printer.",
       PrinterState::Processing},
      {IPP_PSTATE_PROCESSING,
       {},
       "Waiting for printer to become available.",
       PrinterState::Unreachable},
      {IPP_PSTATE_STOPPED, {"paused"}, "", PrinterState::Stopped},
      {IPP_PSTATE_IDLE, {"offline-report"}, "", PrinterState::Unreachable},
      {IPP_PSTATE_STOPPED, {"printer-OFFLINE"}, "", PrinterState::Unreachable},
      {42, {}, "", PrinterState::Unreachable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message + " / state " + std::to_string(c.state));
    EXPECT_EQ(printer_state_of(c.state, c.reasons, c.message), c.expected);
  }
}

TEST(ReadQueues, MarkersNeedNames) {
  EXPECT_EQ(read_markers({}, {"#000000"}, {50}), std::nullopt);
  // Shorter colour and level lists leave the rest absent.
  const auto markers = read_markers({"Black", "Colour"}, {}, {0});
  ASSERT_TRUE(markers);
  EXPECT_EQ(*markers, (std::vector<Marker>{{"Black", std::nullopt, 0},
                                           {"Colour", std::nullopt, std::nullopt}}));
}

class LocalTime : public testing::Test {
 protected:
  void SetUp() override {
    const char* zone = std::getenv("TZ");
    saved_ = zone ? std::optional<std::string>(zone) : std::nullopt;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override {
    if (saved_) {
      setenv("TZ", saved_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  std::optional<std::string> saved_;
};

// 2026-03-12 10:00:00 UTC
constexpr std::time_t kNow = 1773309600;
constexpr std::time_t kDay = 24 * 60 * 60;

TEST_F(LocalTime, TimeLabelsInWords) {
  const struct {
    std::time_t when;
    std::string label;
  } cases[] = {
      {kNow - 60, "today"},
      {kNow - 10 * 60 * 60, "today"},          // 00:00 the same day
      {kNow - 10 * 60 * 60 - 1, "yesterday"},  // 23:59:59 the day before
      {kNow + 3600, "today"},                  // a clock ahead
      {kNow - 2 * kDay, "10 March"},
      {kNow - 71 * kDay, "31 December 2025"},
      {kNow - 365 * kDay, "12 March 2025"},
      {0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(time_label(c.when, kNow), c.label) << c.when;
  }
}

TEST_F(LocalTime, JobsFromJobGroups) {
  IppPtr response(ippNew());
  ippSetStatusCode(response.get(), IPP_STATUS_OK);
  add_text(response.get(), IPP_TAG_OPERATION, IPP_TAG_CHARSET, "attributes-charset", {"utf-8"});
  const auto job = [&](int id, const char* printer_uri, int state, int created, int completed) {
    ippAddInteger(response.get(), IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", id);
    add_text(response.get(), IPP_TAG_JOB, IPP_TAG_URI, "job-printer-uri", {printer_uri});
    ippAddInteger(response.get(), IPP_TAG_JOB, IPP_TAG_ENUM, "job-state", state);
    ippAddInteger(response.get(), IPP_TAG_JOB, IPP_TAG_INTEGER, "time-at-creation", created);
    ippAddInteger(response.get(), IPP_TAG_JOB, IPP_TAG_INTEGER, "time-at-completed", completed);
  };
  job(42, "ipp://localhost/printers/Studio_printer", IPP_JSTATE_COMPLETED,
      static_cast<int>(kNow - 2 * kDay), static_cast<int>(kNow - 60));
  add_text(response.get(), IPP_TAG_JOB, IPP_TAG_NAME, "job-name", {"Travel itinerary.pdf"});
  add_text(response.get(), IPP_TAG_JOB, IPP_TAG_NAME, "job-originating-user-name", {"demo"});
  add_text(response.get(), IPP_TAG_JOB, IPP_TAG_KEYWORD, "job-state-reasons",
           {"processing-to-stop-point"});
  ippAddInteger(response.get(), IPP_TAG_JOB, IPP_TAG_INTEGER, "job-impressions-completed", 2);
  ippAddInteger(response.get(), IPP_TAG_JOB, IPP_TAG_INTEGER, "job-impressions", 2);
  ippAddInteger(response.get(), IPP_TAG_JOB, IPP_TAG_INTEGER, "job-k-octets", 430);
  ippAddSeparator(response.get());
  job(7, "ipp://localhost/printers/Office%20laser", IPP_JSTATE_PENDING,
      static_cast<int>(kNow - kDay), 0);
  ippAddSeparator(response.get());
  job(8, "ipp://localhost/printers/Office_laser", 12, static_cast<int>(kNow), 0);
  ippAddSeparator(response.get());
  // A group without a job id is not a job.
  add_text(response.get(), IPP_TAG_JOB, IPP_TAG_NAME, "job-name", {"stray"});

  const auto jobs = read_jobs(response.get(), kNow);
  ASSERT_EQ(jobs.size(), 3u);
  EXPECT_EQ(jobs[0].id, "Studio_printer-42");
  EXPECT_EQ(jobs[0].printer, "Studio_printer");
  EXPECT_EQ(jobs[0].title, std::optional<std::string>("Travel itinerary.pdf"));
  EXPECT_EQ(jobs[0].owner, "demo");
  EXPECT_EQ(jobs[0].state, JobState::Completed);
  EXPECT_EQ(jobs[0].time_label, "today") << "a finished job is dated by when it finished";
  EXPECT_EQ(jobs[0].pages_completed, std::optional<std::uint32_t>(2));
  EXPECT_EQ(jobs[0].pages_total, std::optional<std::uint32_t>(2));
  EXPECT_EQ(jobs[0].size, 430u * 1024);
  EXPECT_EQ(jobs[0].state_reasons, std::vector<std::string>{"processing-to-stop-point"});

  EXPECT_EQ(jobs[1].id, "Office laser-7");
  EXPECT_EQ(jobs[1].state, JobState::Pending);
  EXPECT_EQ(jobs[1].time_label, "yesterday");
  EXPECT_EQ(jobs[1].title, std::nullopt);
  EXPECT_EQ(jobs[1].pages_completed, std::nullopt);
  EXPECT_EQ(jobs[1].pages_total, std::nullopt);

  EXPECT_EQ(jobs[2].state, std::nullopt) << "an unknown IPP job state";
}

TEST(JobState, FollowsTheIppOrder) {
  EXPECT_EQ(job_state_of(IPP_JSTATE_PENDING), JobState::Pending);
  EXPECT_EQ(job_state_of(IPP_JSTATE_HELD), JobState::Held);
  EXPECT_EQ(job_state_of(IPP_JSTATE_PROCESSING), JobState::Processing);
  EXPECT_EQ(job_state_of(IPP_JSTATE_STOPPED), JobState::Stopped);
  EXPECT_EQ(job_state_of(IPP_JSTATE_CANCELED), JobState::Canceled);
  EXPECT_EQ(job_state_of(IPP_JSTATE_ABORTED), JobState::Aborted);
  EXPECT_EQ(job_state_of(IPP_JSTATE_COMPLETED), JobState::Completed);
  EXPECT_EQ(job_state_of(2), std::nullopt);
  EXPECT_EQ(job_state_of(10), std::nullopt);
}

}  // namespace
}  // namespace devices::cups
