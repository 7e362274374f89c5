#include "pdf/xref_check.hpp"

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace pdf {

namespace {

bool read_number(std::string_view text, std::size_t& pos, std::size_t& value) {
  const auto result = std::from_chars(text.data() + pos, text.data() + text.size(), value);
  if (result.ec != std::errc{} || result.ptr == text.data() + pos) return false;
  pos = static_cast<std::size_t>(result.ptr - text.data());
  return true;
}

bool expect(std::string_view text, std::size_t& pos, std::string_view literal) {
  if (text.substr(pos, literal.size()) != literal) return false;
  pos += literal.size();
  return true;
}

platform::Status check_object(std::string_view file, std::size_t n, std::size_t begin,
                              std::size_t end) {
  const std::string name = "object " + std::to_string(n);
  std::size_t pos = begin;
  if (!expect(file, pos, std::to_string(n) + " 0 obj\n")) {
    return platform::err("the entry of " + name + " does not point at its header");
  }
  if (end < pos + 8 || file.substr(end - 8, 8) != "\nendobj\n") {
    return platform::err(name + " does not end with endobj where the next one begins");
  }
  if (!expect(file, pos, "<< /Length ")) return platform::ok_status();
  std::size_t length = 0;
  if (!read_number(file, pos, length)) return platform::err(name + " has no stream length");
  const std::size_t stream = file.find(">>\nstream\n", pos);
  if (stream == std::string_view::npos || stream >= end) {
    return platform::err(name + " has no stream keyword");
  }
  const std::size_t data = stream + 10;
  if (end - 8 < data || end - 8 - data != length + 10 ||
      file.substr(data + length, 10) != "\nendstream") {
    return platform::err(name + " has a stream whose length does not match /Length");
  }
  return platform::ok_status();
}

}  // namespace

platform::Status check_pdf_structure(std::span<const std::uint8_t> bytes) {
  const std::string_view file(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!file.starts_with("%PDF-1.7\n")) return platform::err("the header is missing");
  if (!file.ends_with("\n%%EOF\n")) return platform::err("the end-of-file marker is missing");

  const std::size_t marker = file.rfind("startxref\n");
  if (marker == std::string_view::npos) return platform::err("startxref is missing");
  std::size_t pos = marker + 10;
  std::size_t xref = 0;
  if (!read_number(file, pos, xref) || !expect(file, pos, "\n%%EOF\n") || pos != file.size()) {
    return platform::err("startxref is not followed by an offset");
  }
  if (xref >= marker) return platform::err("startxref points past the table");

  pos = xref;
  std::size_t count = 0;
  if (!expect(file, pos, "xref\n0 ") || !read_number(file, pos, count) ||
      !expect(file, pos, "\n0000000000 65535 f \n") || count == 0) {
    return platform::err("startxref does not point at a cross-reference table");
  }
  const std::size_t objects = count - 1;
  if ((marker - pos) / 20 < objects) return platform::err("the table is cut short");

  std::vector<std::size_t> offsets;
  for (std::size_t n = 1; n <= objects; ++n, pos += 20) {
    const std::string_view entry = file.substr(pos, 20);
    std::size_t at = 0;
    std::size_t offset = 0;
    if (!read_number(entry, at, offset) || at != 10 || entry.substr(10) != " 00000 n \n") {
      return platform::err("entry " + std::to_string(n) + " is malformed");
    }
    if (offset < 15 || offset >= xref || (!offsets.empty() && offset <= offsets.back())) {
      return platform::err("entry " + std::to_string(n) + " points outside the objects");
    }
    offsets.push_back(offset);
  }
  if (objects > 0 && offsets.front() != 15) return platform::err("object 1 does not start at 15");

  for (std::size_t n = 1; n <= objects; ++n) {
    const std::size_t end = n < objects ? offsets[n] : xref;
    if (auto status = check_object(file, n, offsets[n - 1], end); !status) return status;
  }

  const std::string trailer = "trailer\n<< /Size " + std::to_string(count) + " /Root " +
                              std::to_string(objects) + " 0 R >>\nstartxref\n";
  if (file.substr(pos) != trailer + std::to_string(xref) + "\n%%EOF\n") {
    return platform::err("the trailer does not follow the table or names the wrong root");
  }
  return platform::ok_status();
}

}  // namespace pdf
