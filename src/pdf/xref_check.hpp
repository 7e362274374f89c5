#pragma once
// A structural check of a file written by build_searchable_pdf: the trailer
// points at the cross-reference table, every entry points at "{n} 0 obj", every
// object ends with "endobj" where the next begins, and every stream holds as
// many bytes as its /Length says.

#include <cstdint>
#include <span>

#include "platform/result.hpp"

namespace pdf {

platform::Status check_pdf_structure(std::span<const std::uint8_t> file);

}  // namespace pdf
