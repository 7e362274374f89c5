#pragma once
// Stand-in programs written as shell scripts into a private directory, which
// the tests use as the engine's search path.

#include <filesystem>
#include <string>

namespace ocr_test {

class FakePrograms {
 public:
  FakePrograms();
  FakePrograms(const FakePrograms&) = delete;
  FakePrograms& operator=(const FakePrograms&) = delete;
  ~FakePrograms();

  // Writes an executable `#!/bin/sh` script called `name` with `body`.
  void add(const std::string& name, const std::string& body) const;
  std::string search_path() const { return directory_.string(); }
  std::filesystem::path file(const std::string& name) const { return directory_ / name; }

 private:
  std::filesystem::path directory_;
};

std::string read_file(const std::filesystem::path& path);

// The engine's files in its temporary directory (TMPDIR, private to the tests).
std::size_t temporary_entries();

}  // namespace ocr_test
