#pragma once
// How a picked document is named to the user: its file name, when the path
// has one and it is valid UTF-8 text.

#include <optional>
#include <string>

namespace printing {

std::optional<std::string> document_file_name(const std::string& path);

// The name in the print view, with its fallback "Selected document".
std::string document_name_for_view(const std::string& path);
// The name in the submission's notices, with its fallback "Document".
std::string document_name_for_notice(const std::string& path);

}  // namespace printing
