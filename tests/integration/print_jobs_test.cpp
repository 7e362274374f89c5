// Printing a document and the job operations, end to end: what the printer
// received, and how the jobs read back from cupsd.

#include <gtest/gtest.h>
#include <unistd.h>

#include "devices/cups/queue_name.hpp"
#include "sample_documents.hpp"
#include "service_test.hpp"

namespace orvane_test {
namespace {

using devices::JobState;

class PrintJobs : public ServiceTest {};

struct PrintCase {
  std::uint16_t copies;
  bool two_sided;
  std::string sides;
};

TEST_F(PrintJobs, ThePrinterReceivesCopiesAndSides) {
  const std::string pdf = write_sample_pdf(fixture().dir() + "/Travel itinerary.pdf", 2);
  for (const PrintCase& c : {PrintCase{2, true, "two-sided-long-edge"},
                             PrintCase{1, false, "one-sided"}, PrintCase{99, false, "one-sided"}}) {
    SCOPED_TRACE(std::to_string(c.copies) + " copies, " + c.sides);
    const std::size_t before = fixture().received_by_studio_printer().size();
    ASSERT_TRUE(service_->print_document("Studio_printer", pdf, c.copies, c.two_sided).ok());
    std::string received;
    ASSERT_TRUE(eventually([&] {
      received = fixture().received_by_studio_printer().substr(before);
      return received.find("\nend\n") != std::string::npos;
    })) << "the printer received nothing";
    // One copy is the printer's default, which CUPS does not send.
    if (c.copies > 1) {
      EXPECT_NE(received.find("IPP_COPIES=" + std::to_string(c.copies) + "\n"), std::string::npos)
          << received;
    } else {
      EXPECT_EQ(received.find("IPP_COPIES="), received.find("IPP_COPIES=1\n")) << received;
    }
    EXPECT_NE(received.find("IPP_SIDES=" + c.sides + "\n"), std::string::npos) << received;
    EXPECT_NE(received.find("IPP_DOCUMENT_FORMAT_SUPPLIED=application/pdf"), std::string::npos);

    const std::string id = newest_job_on("Studio_printer");
    ASSERT_FALSE(id.empty());
    std::optional<devices::PrintJob> job;
    ASSERT_TRUE(eventually([&] {
      job = job_with_id(id);
      return job && job->state == JobState::Completed;
    })) << "the job did not complete";
    EXPECT_EQ(job->printer, "Studio_printer");
    EXPECT_EQ(job->title, std::optional<std::string>("Travel itinerary.pdf"));
    EXPECT_EQ(job->time_label, "today");
    EXPECT_FALSE(job->owner.empty());
    EXPECT_GT(job->size, 0u);
    EXPECT_EQ(service_->progress_percent(*job), std::optional<std::uint8_t>(100));
  }
}

TEST_F(PrintJobs, BadRequestsFailWithoutCreatingAJob) {
  const std::string pdf = write_sample_pdf(fixture().dir() + "/bad.pdf", 1);
  const auto before = service_->jobs();
  ASSERT_TRUE(before.ok());
  EXPECT_FALSE(service_->print_document("Office_laser", pdf, 0, false).ok());
  EXPECT_FALSE(service_->print_document("Office_laser", pdf, 100, false).ok());
  EXPECT_FALSE(
      service_->print_document("Office_laser", fixture().dir() + "/missing.pdf", 1, false).ok());
  EXPECT_FALSE(service_->print_document("Office_laser", fixture().dir(), 1, false).ok());
  run_command("cupsreject Office_laser");
  const auto rejected = service_->print_document("Office_laser", pdf, 1, false);
  ASSERT_FALSE(rejected.ok());
  EXPECT_NE(rejected.error().find("not accepting"), std::string::npos) << rejected.error();
  const auto after = service_->jobs();
  ASSERT_TRUE(after.ok());
  EXPECT_EQ(after->size(), before->size());
}

TEST_F(PrintJobs, CancelAPendingJobThenRetryIt) {
  // A paused queue keeps its documents waiting.
  ASSERT_TRUE(service_->set_enabled("Hallway_printer", false).ok());
  const std::string pdf = write_sample_pdf(fixture().dir() + "/wait.pdf", 1);
  ASSERT_TRUE(service_->print_document("Hallway_printer", pdf, 1, false).ok());
  const std::string id = newest_job_on("Hallway_printer");
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(job_with_id(id)->state, JobState::Pending);
  EXPECT_TRUE(devices::is_active(*job_with_id(id)));
  EXPECT_FALSE(service_->retry_job(id).ok()) << "a waiting job cannot be retried";

  ASSERT_TRUE(service_->cancel_job(id).ok());
  EXPECT_EQ(job_with_id(id)->state, JobState::Canceled);
  EXPECT_NE(run_command("lpstat -W completed -o Hallway_printer").find(id), std::string::npos);
  EXPECT_FALSE(service_->cancel_job(id).ok()) << "a canceled job cannot be canceled again";

  ASSERT_TRUE(service_->retry_job(id).ok());
  EXPECT_EQ(job_with_id(id)->state, JobState::Pending);
  ASSERT_TRUE(service_->set_enabled("Hallway_printer", true).ok());
  EXPECT_TRUE(eventually([&] { return job_with_id(id)->state == JobState::Completed; }));
}

TEST_F(PrintJobs, JobOperationsOnUnknownIdsFail) {
  for (const std::string id : {"Studio_printer-99999", "Studio_printer-", "nonsense", "", "-1"}) {
    SCOPED_TRACE("job \"" + id + "\"");
    EXPECT_FALSE(service_->cancel_job(id).ok());
    EXPECT_FALSE(service_->retry_job(id).ok());
  }
}

}  // namespace
}  // namespace orvane_test
