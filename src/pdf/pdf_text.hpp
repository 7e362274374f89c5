#pragma once
// The invisible text of a page: UTF-8 text as one line of WinAnsi bytes in a
// PDF literal string, with one byte per character.

#include <string>
#include <string_view>

namespace pdf {

// True when `text` has something other than white space.
bool has_visible_text(std::string_view text);

// Encodes each character as its WinAnsi byte ("?" when there is none, also
// for line breaks and bytes that are not valid UTF-8), then puts a backslash
// before every "(", ")" and "\".
std::string encode_pdf_text(std::string_view text);

}  // namespace pdf
