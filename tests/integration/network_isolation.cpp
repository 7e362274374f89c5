#include "network_isolation.hpp"

#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvane_test {
namespace {

std::string failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

bool isolate_network(std::string& why) {
  if (geteuid() != 0) {
    why = "not root";
    return false;
  }
  if (unshare(CLONE_NEWNET | CLONE_NEWNS) != 0) {
    why = failed("unshare");
    return false;
  }
  // Mounts made from here on stay inside this process's namespace.
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    why = failed("making mounts private");
    return false;
  }
  const int probe = socket(AF_INET, SOCK_DGRAM, 0);
  if (probe < 0) {
    why = failed("socket");
    return false;
  }
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  bool up = ioctl(probe, SIOCGIFFLAGS, &request) == 0;
  request.ifr_flags |= IFF_UP | IFF_RUNNING;
  up = up && ioctl(probe, SIOCSIFFLAGS, &request) == 0;
  close(probe);
  if (!up) {
    why = failed("bringing up loopback");
    return false;
  }
  // avahi-daemon keeps its pid file and socket at this fixed place.
  mkdir("/run/avahi-daemon", 0755);
  if (mount("tmpfs", "/run/avahi-daemon", "tmpfs", 0, "mode=0755") != 0) {
    why = failed("mounting /run/avahi-daemon");
    return false;
  }
  return true;
}

}  // namespace orvane_test
