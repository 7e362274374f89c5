#include "ocr/temporary_png.hpp"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace ocr {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kAttempts = 64;

// Six letters or digits from the kernel's random source, without modulo bias.
platform::Result<std::string> random_suffix() {
  std::string suffix;
  while (suffix.size() < 6) {
    unsigned char bytes[16];
    const ssize_t n = ::getrandom(bytes, sizeof bytes, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      return platform::err(std::string("random name: ") + std::strerror(errno));
    }
    for (ssize_t i = 0; i < n && suffix.size() < 6; ++i) {
      if (bytes[i] >= 248) continue;
      suffix += kAlphabet[bytes[i] % kAlphabet.size()];
    }
  }
  return suffix;
}

}  // namespace

platform::Result<TemporaryPng> TemporaryPng::create() {
  std::error_code ec;
  const auto directory = std::filesystem::temp_directory_path(ec);
  if (ec) return platform::err("temporary directory: " + ec.message());
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    auto suffix = random_suffix();
    if (!suffix) return platform::err(suffix.error());
    std::string path = (directory / (".tmp" + suffix.value() + ".png")).string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) return TemporaryPng(std::move(path), fd);
    if (errno != EEXIST) return platform::err(path + ": " + std::strerror(errno));
  }
  return platform::err("no free temporary file name in " + directory.string());
}

TemporaryPng::TemporaryPng(TemporaryPng&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_) {
  other.path_.clear();
  other.fd_ = -1;
}

TemporaryPng& TemporaryPng::operator=(TemporaryPng&& other) noexcept {
  if (this != &other) {
    release();
    path_ = std::move(other.path_);
    fd_ = other.fd_;
    other.path_.clear();
    other.fd_ = -1;
  }
  return *this;
}

TemporaryPng::~TemporaryPng() { release(); }

void TemporaryPng::release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!path_.empty()) ::unlink(path_.c_str());
  path_.clear();
}

platform::Status TemporaryPng::write_and_close(std::string_view bytes) {
  if (fd_ < 0) return platform::err("the temporary file is closed");
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return platform::err(path_ + ": " + std::strerror(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return platform::err(path_ + ": " + std::strerror(errno));
  return platform::ok_status();
}

}  // namespace ocr
