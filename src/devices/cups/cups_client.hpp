#pragma once
// The printing half of the service: queues, jobs and their operations, as
// direct IPP requests to the CUPS scheduler over a connection with bounded
// waits. Safe to use from several threads at once: every call opens its own
// connection and libcups keeps its error state per thread.

#include <chrono>
#include <cstdint>
#include <string>

#include "devices/cups/connection.hpp"
#include "devices/records.hpp"
#include "platform/result.hpp"

namespace devices::cups {

struct ClientSettings {
  ServerSettings server;
  // How long a printer asked directly (before adding it) may take to answer.
  std::chrono::milliseconds printer_timeout{5000};
  // How long the scheduler may take to set up a driverless queue.
  std::chrono::milliseconds setup_timeout{30000};
};

class CupsClient {
 public:
  explicit CupsClient(ClientSettings settings = {});

  ListResult<PrinterQueue> queues() const;
  // Every job the scheduler knows, finished ones it keeps included.
  ListResult<PrintJob> jobs() const;

  platform::Status set_default(const std::string& queue) const;
  // Pausing keeps the queue accepting documents, which then wait; resuming
  // also lets a queue accept documents again.
  platform::Status set_enabled(const std::string& queue, bool enabled) const;
  platform::Status cancel_job(const std::string& job_id) const;
  // Runs a finished, canceled or stopped job again, or releases a held one.
  platform::Status retry_job(const std::string& job_id) const;
  platform::Status print_document(const std::string& queue, const std::string& path,
                                  std::uint16_t copies, bool two_sided) const;
  // Creates a queue for a driverless printer after asking the printer itself;
  // the queue is named after `name` (see queue_name_for).
  platform::Status add_driverless(const std::string& uri, const std::string& name) const;

 private:
  platform::Status printer_operation(ipp_op_t operation, const std::string& queue) const;
  platform::Status job_operation(ipp_op_t operation, const std::string& job_id) const;

  ClientSettings settings_;
};

}  // namespace devices::cups
