#pragma once
// Queue names and job ids as the rest of the application sees them.

#include <optional>
#include <string>
#include <string_view>

namespace devices::cups {

// True for a name CUPS accepts for a queue: 1 to 127 bytes, no spaces or
// control characters and none of / \ ? ' " # @.
bool is_valid_queue_name(std::string_view name);

// A valid queue name made from an advertised printer name: every run of
// characters CUPS refuses becomes one "_", the ends are trimmed, and the result
// is cut to 127 bytes on a character boundary. "Studio printer" gives
// "Studio_printer"; a name with nothing usable gives "Printer".
std::string queue_name_for(std::string_view advertised);

// Job ids are "QUEUE-N" ("Studio_printer-42"): unique, and the number is what
// CUPS needs to address the job. Anything else has no number.
std::string job_id(std::string_view queue, int number);
std::optional<int> job_number(std::string_view id);

// The queue name at the end of a printer URI such as
// "ipp://localhost/printers/Studio_printer" (percent-decoded).
std::string queue_of_printer_uri(std::string_view uri);

}  // namespace devices::cups
