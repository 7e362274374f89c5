#include "printing/preview_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace printing::preview {

std::unique_ptr<QFile> open_regular_file(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  auto file = std::make_unique<QFile>();
  if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return nullptr;
  }
  return file;
}

}  // namespace printing::preview
