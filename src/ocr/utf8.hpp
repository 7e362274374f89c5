#pragma once
// The engine's output is bytes; text here is UTF-8 with every invalid
// sequence replaced by U+FFFD, one replacement per maximal invalid subpart.

#include <string>
#include <string_view>

namespace ocr {

// Valid input comes back as it is, without a copy.
std::string decode_utf8_lossy(std::string bytes);

// Strips Unicode white space at both ends of valid UTF-8.
std::string_view trim_whitespace(std::string_view text);

// Removes every control character (U+0000-U+001F, U+007F-U+009F) except tab
// and line feed from valid UTF-8.
std::string strip_controls(std::string_view text);

// The first `count` characters of valid UTF-8.
std::string_view first_characters(std::string_view text, std::size_t count);

}  // namespace ocr
