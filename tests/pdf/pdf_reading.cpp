#include "pdf_reading.hpp"

#include <sys/wait.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

namespace pdf_test {

std::string as_text(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> object_bodies(const std::vector<std::uint8_t>& bytes) {
  const std::string file = as_text(bytes);
  const std::size_t marker = file.rfind("startxref\n");
  if (marker == std::string::npos) return {};
  const std::size_t xref = std::stoul(file.substr(marker + 10));
  if (file.compare(xref, 7, "xref\n0 ") != 0) return {};
  const std::size_t count = std::stoul(file.substr(xref + 7));
  std::size_t entry = file.find('\n', xref + 7) + 1 + 20;
  std::vector<std::size_t> offsets;
  for (std::size_t n = 1; n < count; ++n, entry += 20) {
    offsets.push_back(std::stoul(file.substr(entry, 10)));
  }
  std::vector<std::string> bodies;
  for (std::size_t n = 1; n < count; ++n) {
    const std::size_t start = file.find('\n', offsets[n - 1]) + 1;
    const std::size_t end = (n < offsets.size() ? offsets[n] : xref) - 8;
    bodies.push_back(file.substr(start, end - start));
  }
  return bodies;
}

std::string stream_data(const std::string& body) {
  const std::size_t start = body.find(">>\nstream\n");
  const std::size_t end = body.rfind("\nendstream");
  if (start == std::string::npos || end == std::string::npos || end < start + 10) return {};
  return body.substr(start + 10, end - start - 10);
}

std::vector<std::uint8_t> inflate(const std::string& data) {
  std::vector<std::uint8_t> out;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return {};
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  std::array<std::uint8_t, 65536> chunk{};
  int status = Z_OK;
  while (status == Z_OK) {
    stream.next_out = chunk.data();
    stream.avail_out = chunk.size();
    status = ::inflate(&stream, Z_NO_FLUSH);
    out.insert(out.end(), chunk.data(), chunk.data() + (chunk.size() - stream.avail_out));
  }
  inflateEnd(&stream);
  return status == Z_STREAM_END ? out : std::vector<std::uint8_t>{};
}

ToolRun run_tool(const std::string& command) {
  ToolRun run;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
    run.output.append(buffer.data(), n);
  }
  const int status = ::pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::filesystem::path make_temporary_folder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvane-pdf-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

void write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace pdf_test
