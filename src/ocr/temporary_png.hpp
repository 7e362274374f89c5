#pragma once
// The one file recognition writes: a PNG in the system's temporary directory,
// created exclusively under a random name (".tmp" + 6 letters or digits +
// ".png") and removed when its owner goes away, whatever happened.

#include <string>
#include <string_view>

#include "platform/result.hpp"

namespace ocr {

class TemporaryPng {
 public:
  static platform::Result<TemporaryPng> create();

  TemporaryPng(TemporaryPng&& other) noexcept;
  TemporaryPng& operator=(TemporaryPng&& other) noexcept;
  TemporaryPng(const TemporaryPng&) = delete;
  TemporaryPng& operator=(const TemporaryPng&) = delete;
  ~TemporaryPng();

  const std::string& path() const { return path_; }

  // Writes all bytes and closes the file; an error on a full disk or the like.
  platform::Status write_and_close(std::string_view bytes);

 private:
  TemporaryPng(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  void release();

  std::string path_;
  int fd_ = -1;
};

}  // namespace ocr
