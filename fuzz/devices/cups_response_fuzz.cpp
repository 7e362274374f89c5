// Whatever a print server answers: an IPP response that libcups accepts
// reads into queues and jobs without crashing, and every record keeps the
// promises the views rely on (levels within 0 to 100, job ids of the form
// "QUEUE-N").

#include <cups/ipp.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "devices/cups/ipp_message.hpp"
#include "devices/cups/job_reader.hpp"
#include "devices/cups/printer_reader.hpp"
#include "devices/cups/queue_name.hpp"

namespace {

struct Source {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at;
};

ssize_t read_source(void* context, ipp_uchar_t* buffer, size_t wanted) {
  auto* source = static_cast<Source*>(context);
  const std::size_t take = std::min(wanted, source->size - source->at);
  std::memcpy(buffer, source->data + source->at, take);
  source->at += take;
  return static_cast<ssize_t>(take);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Source source{data, size, 0};
  devices::cups::IppPtr response(ippNew());
  if (ippReadIO(&source, read_source, 1, nullptr, response.get()) != IPP_STATE_DATA) return 0;

  for (const auto& queue : devices::cups::read_queues(response.get(), std::string("Studio"))) {
    if (queue.name.empty()) std::abort();
    if (queue.markers) {
      for (const auto& marker : *queue.markers) {
        if (marker.level && *marker.level > 100) std::abort();
      }
    }
  }
  for (const auto& job : devices::cups::read_jobs(response.get(), 1773309600)) {
    if (!devices::cups::job_number(job.id) && devices::cups::is_valid_queue_name(job.printer)) {
      std::abort();
    }
  }
  devices::cups::read_device_uris(response.get());
  return 0;
}
