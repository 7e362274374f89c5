#pragma once
// The searchable PDF of a scanned document: every page an A4 page showing its
// image scaled to fit inside an 18-point margin, centred, with the recognized
// text laid over it as invisible text. Every byte outside the compressed
// image data is fixed, so identical pages always give an identical file.

#include <cstdint>
#include <span>
#include <vector>

#include "pdf/pdf_page.hpp"

namespace pdf {

// The bytes of a complete PDF 1.7 file. Never fails: a page with a zero side
// or a pixel buffer of the wrong length is left out, and its position still
// numbers the images (/Im0, /Im2). Image data is compressed on the default
// number of threads.
std::vector<std::uint8_t> build_searchable_pdf(std::span<const PdfPage> pages);

// The same bytes, with image data compressed on `threads` threads.
std::vector<std::uint8_t> build_searchable_pdf(std::span<const PdfPage> pages, unsigned threads);

}  // namespace pdf
