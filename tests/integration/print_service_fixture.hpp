#pragma once
// The private print and scan service of the integration tests, started by
// scripts/fixtures/print-service: a D-Bus bus, avahi on loopback, IPP
// Everywhere printers, cupsd with the queues Studio_printer (reports supplies
// and a low toner condition), Office_laser and Hallway_printer, one printer
// announced over DNS-SD ("Garden Printer"), and SANE's test scanner.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace orvane_test {

class PrintServiceFixture {
 public:
  // Starts everything in a new directory and exports its variables
  // (CUPS_SERVER, SANE_CONFIG_DIR, ...) into this process.
  bool start(std::string& why);
  void stop();

  const std::string& dir() const { return dir_; }
  // A variable of DIR/env, for example "ORVANE_FIXTURE_IPP1_URI".
  std::string value(const std::string& key) const;

  // Daemons by their fixture name: "cupsd", "avahi", "dbus", "ipp1".."ipp4".
  pid_t pid_of(const std::string& daemon) const;
  bool alive(const std::string& daemon) const;

  // Runs the fixture script with a command ("stop-cupsd", "start-printer"...).
  bool script(const std::string& command, const std::string& argument = "") const;

  // Puts the queues back as the fixture made them: every queue enabled and
  // accepting, Studio_printer preferred, no job waiting.
  void reset_queues() const;

  // What the supplies printer (Studio_printer) has received so far: one
  // block of "KEY=VALUE" lines per document.
  std::string received_by_studio_printer() const;

 private:
  std::string dir_;
  std::map<std::string, std::string> values_;
};

// The fixture the test environment started.
PrintServiceFixture& fixture();

// Runs a shell command and returns what it wrote to stdout.
std::string run_command(const std::string& command);

// Polls `condition` every 50 ms until it holds or `limit` passes.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(20));

}  // namespace orvane_test
