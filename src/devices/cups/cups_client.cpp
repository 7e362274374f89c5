#include "devices/cups/cups_client.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <thread>

#include "devices/cups/job_reader.hpp"
#include "devices/cups/printer_probe.hpp"
#include "devices/cups/printer_reader.hpp"
#include "devices/cups/queue_name.hpp"

namespace devices::cups {
namespace {

platform::Status check_queue_name(const std::string& queue) {
  if (!is_valid_queue_name(queue)) return platform::err("Not a printer name: \"" + queue + "\"");
  return platform::ok_status();
}

platform::Result<std::optional<std::string>> default_queue(Connection& connection) {
  IppPtr request = new_request(IPP_OP_CUPS_GET_DEFAULT);
  add_requested_attributes(request.get(), {"printer-name"});
  IppPtr response(cupsDoRequest(connection.http(), request.release(), "/"));
  if (!response) return platform::err(last_error_text());
  const ipp_status_t status = ippGetStatusCode(response.get());
  // Having no preferred printer is not an error.
  if (status == IPP_STATUS_ERROR_NOT_FOUND) return std::optional<std::string>();
  if (status > IPP_STATUS_OK_CONFLICTING) return platform::err(last_error_text());
  return text_of(ippFindAttribute(response.get(), "printer-name", IPP_TAG_NAME));
}

std::optional<std::string> queue_make_and_model(Connection& connection, const std::string& queue) {
  IppPtr request = new_request(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               printer_uri(queue).c_str());
  add_requested_attributes(request.get(), {"printer-make-and-model"});
  auto response = connection.send(std::move(request), "/");
  if (!response) return std::nullopt;
  return text_of(ippFindAttribute(response.value().get(), "printer-make-and-model", IPP_TAG_ZERO));
}

bool is_dns_sd_address(const std::string& uri) {
  return uri.find("._ipp") != std::string::npos || uri.find(".local") != std::string::npos;
}

std::string base_name(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CupsClient::CupsClient(ClientSettings settings) : settings_(std::move(settings)) {}

ListResult<PrinterQueue> CupsClient::queues() const {
  auto connection = Connection::open(settings_.server);
  if (!connection) return platform::err(connection.error());
  auto preferred = default_queue(connection.value());
  if (!preferred) return platform::err(preferred.error());

  IppPtr request = new_request(IPP_OP_CUPS_GET_PRINTERS);
  add_requested_attributes(request.get(), queue_attribute_names());
  auto response = connection->send(std::move(request), "/");
  // A server without any queue answers "not found".
  if (!response) {
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) return std::vector<PrinterQueue>();
    return platform::err(response.error());
  }
  return read_queues(response.value().get(), preferred.value());
}

ListResult<PrintJob> CupsClient::jobs() const {
  auto connection = Connection::open(settings_.server);
  if (!connection) return platform::err(connection.error());
  IppPtr request = new_request(IPP_OP_GET_JOBS);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               "ipp://localhost/");
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
  ippAddBoolean(request.get(), IPP_TAG_OPERATION, "my-jobs", 0);
  add_requested_attributes(request.get(), job_attribute_names());
  auto response = connection->send(std::move(request), "/");
  if (!response) {
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) return std::vector<PrintJob>();
    return platform::err(response.error());
  }
  return read_jobs(response.value().get(), std::time(nullptr));
}

platform::Status CupsClient::printer_operation(ipp_op_t operation, const std::string& queue) const {
  if (auto valid = check_queue_name(queue); !valid) return valid;
  auto connection = Connection::open(settings_.server);
  if (!connection) return platform::err(connection.error());
  IppPtr request = new_request(operation);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               printer_uri(queue).c_str());
  auto response = connection->send(std::move(request), "/admin/");
  if (!response) return platform::err(response.error());
  return platform::ok_status();
}

platform::Status CupsClient::set_default(const std::string& queue) const {
  return printer_operation(IPP_OP_CUPS_SET_DEFAULT, queue);
}

platform::Status CupsClient::set_enabled(const std::string& queue, bool enabled) const {
  if (!enabled) return printer_operation(IPP_OP_PAUSE_PRINTER, queue);
  if (auto resumed = printer_operation(IPP_OP_RESUME_PRINTER, queue); !resumed) return resumed;
  return printer_operation(IPP_OP_CUPS_ACCEPT_JOBS, queue);
}

platform::Status CupsClient::job_operation(ipp_op_t operation, const std::string& id) const {
  const auto number = job_number(id);
  if (!number) return platform::err("Not a document id: \"" + id + "\"");
  auto connection = Connection::open(settings_.server);
  if (!connection) return platform::err(connection.error());
  IppPtr request = new_request(operation);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
               job_uri(*number).c_str());
  auto response = connection->send(std::move(request), "/jobs/");
  if (!response) return platform::err(response.error());
  return platform::ok_status();
}

platform::Status CupsClient::cancel_job(const std::string& id) const {
  return job_operation(IPP_OP_CANCEL_JOB, id);
}

platform::Status CupsClient::retry_job(const std::string& id) const {
  auto restarted = job_operation(IPP_OP_RESTART_JOB, id);
  if (restarted || cupsLastError() != IPP_STATUS_ERROR_NOT_POSSIBLE) return restarted;
  // A held job cannot be restarted; releasing it is what "again" means there.
  if (job_operation(IPP_OP_RELEASE_JOB, id)) return platform::ok_status();
  return restarted;
}

platform::Status CupsClient::print_document(const std::string& queue, const std::string& path,
                                            std::uint16_t copies, bool two_sided) const {
  if (auto valid = check_queue_name(queue); !valid) return valid;
  if (copies < 1 || copies > 99) {
    return platform::err("Copies must be between 1 and 99, not " + std::to_string(copies));
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
      !std::ifstream(path, std::ios::binary)) {
    return platform::err("Cannot read the document \"" + path + "\"");
  }
  auto connection = Connection::open(settings_.server);
  if (!connection) return platform::err(connection.error());

  cups_option_t* options = nullptr;
  int count = 0;
  count = cupsAddOption("copies", std::to_string(copies).c_str(), count, &options);
  count = cupsAddOption("sides", two_sided ? "two-sided-long-edge" : "one-sided", count, &options);
  const int job = cupsPrintFile2(connection->http(), queue.c_str(), path.c_str(),
                                 base_name(path).c_str(), count, options);
  cupsFreeOptions(count, options);
  if (job <= 0) return platform::err(last_error_text());
  return platform::ok_status();
}

platform::Status CupsClient::add_driverless(const std::string& uri, const std::string& name) const {
  auto connection = Connection::open(settings_.server);
  if (!connection) return platform::err(connection.error());
  IppPtr listing = new_request(IPP_OP_CUPS_GET_PRINTERS);
  add_requested_attributes(listing.get(), {"printer-name", "device-uri"});
  auto existing = connection->send(std::move(listing), "/");
  if (!existing && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
    return platform::err(existing.error());
  }
  const auto devices = existing ? read_device_uris(existing.value().get())
                                : std::vector<std::pair<std::string, std::string>>();
  // A printer that already has a queue is added. Modifying that queue again
  // is not only pointless: cupsd 2.4 aborts when a queue with a DNS-SD device
  // address is modified this way.
  if (std::any_of(devices.begin(), devices.end(),
                  [&](const auto& entry) { return entry.second == uri; })) {
    return platform::ok_status();
  }

  auto facts = probe_printer(uri, settings_.printer_timeout);
  if (!facts) return platform::err(facts.error());

  // Another printer with the same advertised name gets a numbered queue.
  const std::string base = queue_name_for(name);
  std::string queue = base;
  for (int suffix = 2; std::any_of(devices.begin(), devices.end(),
                                   [&](const auto& entry) { return entry.first == queue; });
       ++suffix) {
    const std::string tail = "_" + std::to_string(suffix);
    queue = base.substr(0, std::min(base.size(), std::size_t{127} - tail.size())) + tail;
  }

  IppPtr request = new_request(IPP_OP_CUPS_ADD_MODIFY_PRINTER);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               printer_uri(queue).c_str());
  // The scheduler reads these from the printer group; in the operation group
  // "ppd-name" is a bad request.
  ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr, uri.c_str());
  ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_NAME, "ppd-name", nullptr, "everywhere");
  ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-info", nullptr, name.c_str());
  ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
  ippAddInteger(request.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
  auto added = connection->send(std::move(request), "/admin/");
  if (!added) return platform::err(added.error());

  // The scheduler builds the driverless model in the background (a few
  // seconds for a DNS-SD address, which it resolves and reaches over TLS);
  // until then the queue is a raw one.
  const auto deadline = std::chrono::steady_clock::now() + settings_.setup_timeout;
  for (;;) {
    const std::string model = queue_make_and_model(connection.value(), queue).value_or("");
    if (!model.empty() && model.find("Raw") == std::string::npos) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      // A raw queue never prints, so it goes again; except where removing it
      // could take the scheduler down: cupsd 2.4 aborts when a queue with a
      // DNS-SD address is deleted while it is still being set up.
      if (!is_dns_sd_address(uri)) {
        IppPtr removal = new_request(IPP_OP_CUPS_DELETE_PRINTER);
        ippAddString(removal.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     printer_uri(queue).c_str());
        connection->send(std::move(removal), "/admin/");
      }
      return platform::err("The printer could not be set up for driverless printing");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return platform::ok_status();
}

}  // namespace devices::cups
