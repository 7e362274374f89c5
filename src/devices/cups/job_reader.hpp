#pragma once
// Turns CUPS job attributes into PrintJob records.

#include <cups/ipp.h>

#include <ctime>
#include <optional>
#include <vector>

#include "devices/records.hpp"

namespace devices::cups {

// What a Get-Jobs request asks for.
const std::vector<const char*>& job_attribute_names();

// One record per job group, in the server's order. `now` words the times.
std::vector<PrintJob> read_jobs(ipp_t* response, std::time_t now);

// IPP job-state (3 pending .. 9 completed); absent for anything else.
std::optional<JobState> job_state_of(int ipp_state);

}  // namespace devices::cups
