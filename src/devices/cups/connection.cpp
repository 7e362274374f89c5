#include "devices/cups/connection.hpp"

#include <cerrno>
#include <cstring>

namespace devices::cups {
namespace {

// Called by libcups when a wait for data runs out; zero means give up.
int give_up(http_t*, void*) { return 0; }

struct Address {
  std::string host;
  int port = 0;
};

Address address_of(const std::string& configured) {
  std::string server = configured.empty() ? std::string(cupsServer()) : configured;
  Address address{server, ippPort()};
  if (!server.empty() && server.front() != '/') {
    // "host:port", but not the colons of a bare IPv6 address.
    const auto colon = server.rfind(':');
    if (colon != std::string::npos && server.find(':') == colon && colon + 1 < server.size()) {
      address.host = server.substr(0, colon);
      address.port = std::atoi(server.c_str() + colon + 1);
    }
  }
  return address;
}

}  // namespace

std::string last_error_text() {
  const char* text = cupsLastErrorString();
  if (text && *text) return text;
  return ippErrorString(cupsLastError());
}

platform::Result<Connection> Connection::open(const ServerSettings& settings) {
  const Address address = address_of(settings.server);
  const int connect_ms = static_cast<int>(settings.connect_timeout.count());
  http_t* http = httpConnect2(address.host.c_str(), address.port, nullptr, AF_UNSPEC,
                              cupsEncryption(), 1, connect_ms, nullptr);
  const std::string shown = address.host.front() == '/'
                                ? address.host
                                : address.host + ":" + std::to_string(address.port);
  if (!http) {
    const int error = errno;
    return platform::err("Cannot connect to the print service at " + shown + ": " +
                         (error ? std::strerror(error) : "no answer"));
  }
  httpSetTimeout(http, static_cast<double>(settings.reply_timeout.count()) / 1000.0, give_up,
                 nullptr);
  return Connection(http, shown);
}

platform::Result<IppPtr> Connection::send(IppPtr request, const char* resource) {
  // cupsDoRequest takes ownership of the request.
  IppPtr response(cupsDoRequest(http_.get(), request.release(), resource));
  if (!response) return platform::err(last_error_text());
  const ipp_status_t status = ippGetStatusCode(response.get());
  if (status > IPP_STATUS_OK_CONFLICTING) {
    return platform::err(last_error_text());
  }
  return response;
}

}  // namespace devices::cups
