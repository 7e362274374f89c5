#pragma once
// Reading back what the writer produced: object bodies through the
// cross-reference table, stream data, and the verdicts of qpdf and pdftotext.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pdf_test {

std::string as_text(const std::vector<std::uint8_t>& bytes);

// The body of every object, in number order, found through the
// cross-reference table (empty when the table cannot be read).
std::vector<std::string> object_bodies(const std::vector<std::uint8_t>& file);

// The data between "stream\n" and "\nendstream" of a stream object's body.
std::string stream_data(const std::string& body);

// Inflates zlib data; empty on any error.
std::vector<std::uint8_t> inflate(const std::string& data);

struct ToolRun {
  int exit_code = -1;
  std::string output;
};

// Runs a command line through the shell, capturing stdout and stderr.
ToolRun run_tool(const std::string& command);

// A fresh empty folder under the system's temporary folder.
std::filesystem::path make_temporary_folder();

void write_bytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> read_bytes(const std::filesystem::path& path);

}  // namespace pdf_test
