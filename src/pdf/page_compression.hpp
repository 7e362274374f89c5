#pragma once
// The pages' image data, compressed in parallel: one task per page, taken in
// turn by a fixed number of threads. Each page is compressed on its own, so the
// result does not depend on the thread count.

#include <cstdint>
#include <span>
#include <vector>

#include "pdf/pdf_page.hpp"

namespace pdf {

// The thread count used when none is given: the cores, at most 8.
unsigned default_compression_threads();

// The zlib data of pages[indices[k]].rgb at position k. `threads` counts the
// calling thread, which works too; 0 counts as 1. A thread that cannot be
// started leaves its share to the others; a page whose compression fails
// gets empty data.
std::vector<std::vector<std::uint8_t>> compress_pages(std::span<const PdfPage> pages,
                                                      std::span<const std::size_t> indices,
                                                      unsigned threads);

}  // namespace pdf
