#include "devices/cups/job_reader.hpp"

#include "devices/cups/ipp_message.hpp"
#include "devices/cups/printer_reader.hpp"
#include "devices/cups/queue_name.hpp"
#include "devices/cups/time_label.hpp"

namespace devices::cups {
namespace {

std::optional<std::uint32_t> count_of(ipp_attribute_t* attribute) {
  const auto value = integer_of(attribute);
  if (!value || *value < 0) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

}  // namespace

const std::vector<const char*>& job_attribute_names() {
  static const std::vector<const char*> kNames = {
      "job-id",       "job-name",          "job-originating-user-name", "job-printer-uri",
      "job-state",    "job-state-reasons", "job-impressions",           "job-impressions-completed",
      "job-k-octets", "time-at-creation",  "time-at-completed",
  };
  return kNames;
}

std::optional<JobState> job_state_of(int ipp_state) {
  if (ipp_state < IPP_JSTATE_PENDING || ipp_state > IPP_JSTATE_COMPLETED) return std::nullopt;
  return static_cast<JobState>(ipp_state - IPP_JSTATE_PENDING);
}

std::vector<PrintJob> read_jobs(ipp_t* response, std::time_t now) {
  std::vector<PrintJob> jobs;
  for (const AttributeGroup& group : groups_of(response, IPP_TAG_JOB)) {
    const auto number = integer_of(group.find("job-id"));
    if (!number || *number <= 0) continue;
    PrintJob job;
    job.printer = queue_of_printer_uri(text_of(group.find("job-printer-uri")).value_or(""));
    job.id = job_id(job.printer, *number);
    job.owner = text_of(group.find("job-originating-user-name")).value_or("");
    job.title = text_of(group.find("job-name"));
    job.state_reasons = reason_keywords(texts_of(group.find("job-state-reasons")));
    // Sides printed, which is what people count as pages.
    job.pages_completed = count_of(group.find("job-impressions-completed"));
    const auto total = count_of(group.find("job-impressions"));
    if (total && *total > 0) job.pages_total = total;
    const auto kilobytes = count_of(group.find("job-k-octets"));
    job.size = kilobytes ? static_cast<std::uint64_t>(*kilobytes) * 1024 : 0;
    const auto state = integer_of(group.find("job-state"));
    job.state = state ? job_state_of(*state) : std::nullopt;
    // A finished job is remembered by when it finished, any other by when it
    // was sent.
    const auto created = integer_of(group.find("time-at-creation")).value_or(0);
    const auto completed = integer_of(group.find("time-at-completed")).value_or(0);
    const bool finished = job.state && *job.state >= JobState::Canceled;
    job.time_label = time_label(finished && completed > 0 ? completed : created, now);
    jobs.push_back(std::move(job));
  }
  return jobs;
}

}  // namespace devices::cups
