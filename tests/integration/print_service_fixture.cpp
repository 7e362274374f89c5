#include "print_service_fixture.hpp"

#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#ifndef ORVANE_SOURCE_DIR
#error "ORVANE_SOURCE_DIR must name the source tree"
#endif

namespace orvane_test {
namespace {

const std::string kScript = std::string(ORVANE_SOURCE_DIR) + "/scripts/fixtures/print-service";

std::string read_file(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

PrintServiceFixture& fixture() {
  static PrintServiceFixture instance;
  return instance;
}

std::string run_command(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  std::array<char, 4096> buffer{};
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    output.append(buffer.data(), got);
  pclose(pipe);
  return output;
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
}

bool PrintServiceFixture::start(std::string& why) {
  // Below /tmp: filters and backends run as "lp" and must reach the files.
  char pattern[] = "/tmp/orvane-print-service.XXXXXX";
  if (!mkdtemp(pattern)) {
    why = "cannot create a directory below /tmp";
    return false;
  }
  dir_ = pattern;
  chmod(dir_.c_str(), 0755);
  // The daemons outlive the script that starts them; as their subreaper this
  // process gets them back when they end and can reap them, instead of
  // leaving zombies to an init that may not reap.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  const std::string command = "ORVANE_FIXTURE_OWNER_PID=" + std::to_string(getpid()) + " " +
                              kScript + " start " + dir_ + " 2>" + dir_ + "/start.log";
  if (std::system(command.c_str()) != 0) {
    why = "the fixture did not start: " + read_file(dir_ + "/start.log");
    return false;
  }
  std::istringstream lines(read_file(dir_ + "/env"));
  for (std::string line; std::getline(lines, line);) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    values_[line.substr(0, equals)] = line.substr(equals + 1);
    setenv(line.substr(0, equals).c_str(), line.substr(equals + 1).c_str(), 1);
  }
  // A user's lpoptions or LPDEST would change which queue is the default.
  unsetenv("LPDEST");
  unsetenv("PRINTER");
  return true;
}

void PrintServiceFixture::stop() {
  if (dir_.empty()) return;
  script("stop");
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
  dir_.clear();
}

std::string PrintServiceFixture::value(const std::string& key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? std::string() : found->second;
}

pid_t PrintServiceFixture::pid_of(const std::string& daemon) const {
  const std::string text = read_file(dir_ + "/pids/" + daemon);
  return text.empty() ? 0 : static_cast<pid_t>(std::atoi(text.c_str()));
}

bool PrintServiceFixture::alive(const std::string& daemon) const {
  const pid_t pid = pid_of(daemon);
  if (pid <= 0) return false;
  // A killed daemon may linger as a zombie, which kill(pid, 0) still finds.
  const std::string status = read_file("/proc/" + std::to_string(pid) + "/stat");
  const auto paren = status.rfind(')');
  return paren != std::string::npos && paren + 2 < status.size() && status[paren + 2] != 'Z';
}

bool PrintServiceFixture::script(const std::string& command, const std::string& argument) const {
  const std::string line = kScript + " " + command + " " + dir_ + " " + argument;
  return std::system(line.c_str()) == 0;
}

void PrintServiceFixture::reset_queues() const {
  run_command(
      "timeout 10 cancel -a >/dev/null 2>&1; "
      "timeout 10 cupsenable Studio_printer Office_laser Hallway_printer >/dev/null 2>&1; "
      "timeout 10 cupsaccept Studio_printer Office_laser Hallway_printer >/dev/null 2>&1; "
      "timeout 10 lpadmin -d Studio_printer >/dev/null 2>&1");
}

std::string PrintServiceFixture::received_by_studio_printer() const {
  return read_file(dir_ + "/received/ipp1.log");
}

}  // namespace orvane_test
