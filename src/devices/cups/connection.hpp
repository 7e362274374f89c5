#pragma once
// One connection to the CUPS server with bounded waits: connecting and every
// wait for data give up after the configured time, so a server that stops
// answering turns into an error instead of a hung worker.

#include <cups/cups.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "devices/cups/ipp_message.hpp"
#include "platform/result.hpp"

namespace devices::cups {

struct ServerSettings {
  // Host name, "host:port" or a domain socket path; empty means what libcups
  // would use (CUPS_SERVER, client.conf, the local socket).
  std::string server;
  std::chrono::milliseconds connect_timeout{3000};
  std::chrono::milliseconds reply_timeout{10000};
};

class Connection {
 public:
  static platform::Result<Connection> open(const ServerSettings& settings);

  Connection(Connection&&) noexcept = default;
  Connection& operator=(Connection&&) noexcept = default;

  // Sends the request and returns the response when the server accepted it;
  // otherwise the server's (or the transport's) error text.
  platform::Result<IppPtr> send(IppPtr request, const char* resource);

  http_t* http() const { return http_.get(); }
  const std::string& server() const { return server_; }

 private:
  struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
  };
  Connection(http_t* http, std::string server) : http_(http), server_(std::move(server)) {}

  std::unique_ptr<http_t, HttpCloser> http_;
  std::string server_;
};

// The text of the last libcups error on this thread, never empty.
std::string last_error_text();

}  // namespace devices::cups
