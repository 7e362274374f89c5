// Faults of the real components: a scheduler that dies or stops answering,
// and a printer that disappears. Every call must come back with an error (or
// with what still works), never hang its worker.

#include <gtest/gtest.h>
#include <signal.h>

#include <future>

#include "sample_documents.hpp"
#include "service_test.hpp"

namespace orvane_test {
namespace {

using devices::JobState;
using devices::PrinterState;

// The three lists of one refresh, each its own result.
struct Refresh {
  devices::ListResult<devices::PrinterQueue> printers;
  devices::ListResult<devices::PrintJob> jobs;
  devices::ListResult<devices::Scanner> scanners;
};

// Runs a refresh on a thread of its own and fails the test if it does not
// come back (rather than hanging the test run).
std::optional<Refresh> refresh_within(devices::PrintScanService& service,
                                      std::chrono::seconds limit) {
  auto running = std::async(std::launch::async, [&service] {
    auto printers = service.queues();
    auto jobs = service.jobs();
    auto scanners = service.scanners();
    return Refresh{std::move(printers), std::move(jobs), std::move(scanners)};
  });
  if (running.wait_for(limit) != std::future_status::ready) {
    ADD_FAILURE() << "the refresh did not come back within " << limit.count() << " s";
    // The future's destructor would wait; let it finish on its own.
    static std::vector<std::future<Refresh>> abandoned;
    abandoned.push_back(std::move(running));
    return std::nullopt;
  }
  return running.get();
}

class ServiceFaults : public ServiceTest {};

TEST_F(ServiceFaults, AKilledSchedulerFailsPrintersAndDocumentsButNotScanners) {
  auto before = refresh_within(*service_, std::chrono::seconds(30));
  ASSERT_TRUE(before && before->printers.ok() && before->jobs.ok() && before->scanners.ok());

  ASSERT_TRUE(fixture().script("stop-cupsd"));
  ASSERT_FALSE(fixture().alive("cupsd"));
  auto during = refresh_within(*service_, std::chrono::seconds(30));
  ASSERT_TRUE(during);
  EXPECT_FALSE(during->printers.ok());
  EXPECT_FALSE(during->jobs.ok());
  ASSERT_TRUE(during->scanners.ok()) << during->scanners.error();
  EXPECT_EQ(during->scanners.value(), before->scanners.value());
  EXPECT_FALSE(service_->set_enabled("Studio_printer", false).ok());
  EXPECT_FALSE(service_->cancel_job("Studio_printer-1").ok());

  // "Try again" once the scheduler is back.
  ASSERT_TRUE(fixture().script("start-cupsd"));
  auto after = refresh_within(*service_, std::chrono::seconds(30));
  ASSERT_TRUE(after);
  ASSERT_TRUE(after->printers.ok()) << after->printers.error();
  EXPECT_EQ(after->printers->size(), before->printers->size());
  EXPECT_TRUE(after->jobs.ok());
}

TEST_F(ServiceFaults, ASchedulerThatStopsAnsweringGivesAnErrorInBoundedTime) {
  const pid_t cupsd = fixture().pid_of("cupsd");
  ASSERT_GT(cupsd, 0);
  ASSERT_EQ(kill(cupsd, SIGSTOP), 0);
  auto during = refresh_within(*service_, std::chrono::seconds(30));
  kill(cupsd, SIGCONT);
  ASSERT_TRUE(during);
  EXPECT_FALSE(during->printers.ok());
  EXPECT_FALSE(during->jobs.ok());
  EXPECT_TRUE(during->scanners.ok());
  EXPECT_TRUE(eventually([&] { return service_->queues().ok(); }));
}

TEST_F(ServiceFaults, APrinterThatDisappearsKeepsItsDocumentsWaiting) {
  ASSERT_TRUE(fixture().script("stop-printer", "ipp2"));
  const std::string pdf = write_sample_pdf(fixture().dir() + "/lost.pdf", 1);
  ASSERT_TRUE(service_->print_document("Office_laser", pdf, 1, false).ok());
  const std::string id = newest_job_on("Office_laser");
  ASSERT_FALSE(id.empty());

  // cupsd keeps trying; the queue says it cannot reach the printer.
  EXPECT_TRUE(eventually([&] {
    return queue_named("Office_laser").state == PrinterState::Unreachable;
  })) << "the queue never showed the printer as unreachable";
  const auto queue = queue_named("Office_laser");
  EXPECT_FALSE(queue.responding);
  auto refresh = refresh_within(*service_, std::chrono::seconds(30));
  ASSERT_TRUE(refresh && refresh->printers.ok() && refresh->jobs.ok());
  const auto job = job_with_id(id);
  ASSERT_TRUE(job);
  EXPECT_TRUE(devices::is_active(*job)) << "the document waits";

  // Back again: the waiting document prints.
  ASSERT_TRUE(fixture().script("start-printer", "ipp2"));
  EXPECT_TRUE(eventually([&] { return job_with_id(id)->state == JobState::Completed; },
                         std::chrono::seconds(90)));
}

}  // namespace
}  // namespace orvane_test
