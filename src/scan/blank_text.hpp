#pragma once
// Whether a text holds anything to read: recognized text made only of white
// space (in the Unicode sense: tabs, line breaks, no-break and ideographic
// spaces...) is treated as no text at all.

#include <string>
#include <string_view>

namespace scan {

bool is_blank(std::string_view utf8);

// The first `count` characters (code points) of UTF-8 text; never cuts a
// character in half.
std::string first_characters(std::string_view utf8, std::size_t count);

}  // namespace scan
