#include "platform/atomic_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {

namespace {

std::string failure(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

// Closes and removes the temporary file unless it was committed.
class TemporaryFile {
 public:
  TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(path_.c_str());
  }

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

  // Closes the descriptor, reporting the errno of a failed close.
  int close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void commit() { committed_ = true; }

 private:
  int fd_;
  std::string path_;
  bool committed_ = false;
};

int write_all(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // A write of nothing for a non-empty buffer means the disk is full.
    if (written == 0) return ENOSPC;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

Status write_file_atomically(const std::filesystem::path& path,
                             std::span<const std::uint8_t> bytes) {
  const std::string name = path.filename().string();
  if (name.empty() || name == "." || name == "..") {
    return err("cannot save to " + path.string() + ": it names no file");
  }
  const std::filesystem::path folder =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");

  mode_t mode = 0600;
  struct stat existing {};
  const bool replacing = ::stat(path.c_str(), &existing) == 0;
  if (replacing) {
    if (!S_ISREG(existing.st_mode)) {
      return err("cannot save to " + path.string() + ": it is not a regular file");
    }
    mode = existing.st_mode & 07777;
  }

  // The temporary name stays within the file system's name limit however long
  // the destination's name is.
  std::string pattern = (folder / ("." + name.substr(0, 200) + ".XXXXXX")).string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) {
    return err(failure("cannot create a temporary file in " + folder.string(), errno));
  }
  TemporaryFile temporary(fd, pattern);

  // The replaced file's owner and group are kept where the system allows it
  // (always for root, for others only their own groups); otherwise the new
  // file belongs to whoever saves it, as any newly created file does. The
  // mode comes after, since a change of owner clears set-id bits.
  if (replacing) {
    [[maybe_unused]] const int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
  }
  if (::fchmod(fd, mode) != 0) {
    return err(failure("cannot set the mode of " + temporary.path(), errno));
  }
  if (const int error = write_all(fd, bytes); error != 0) {
    return err(failure("cannot write " + temporary.path(), error));
  }
  if (::fsync(fd) != 0) return err(failure("cannot flush " + temporary.path(), errno));
  if (const int error = temporary.close(); error != 0) {
    return err(failure("cannot close " + temporary.path(), error));
  }
  if (::rename(temporary.path().c_str(), path.c_str()) != 0) {
    return err(failure("cannot replace " + path.string(), errno));
  }
  temporary.commit();

  // The new file is complete and in place; syncing the folder only makes the
  // rename itself durable. Some file systems cannot sync a folder, and the
  // save is not undone for that, so its result is not reported.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
  return ok_status();
}

}  // namespace platform
