#include "fake_programs.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ocr_test {

FakePrograms::FakePrograms() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base ? base : "/tmp") + "/../orvane-fake-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = std::filesystem::canonical(pattern);
}

FakePrograms::~FakePrograms() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

void FakePrograms::add(const std::string& name, const std::string& body) const {
  const auto path = directory_ / name;
  {
    std::ofstream out(path, std::ios::binary);
    out << "#!/bin/sh\n" << body << "\n";
  }
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::size_t temporary_entries() {
  std::size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::getenv("TMPDIR"))) {
    if (entry.path().filename().string().starts_with(".tmp")) ++count;
  }
  return count;
}

}  // namespace ocr_test
