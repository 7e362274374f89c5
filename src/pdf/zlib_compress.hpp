#pragma once
// Image data is stored in the zlib format (RFC 1950) at level 6.

#include <cstdint>
#include <span>
#include <vector>

namespace pdf {

inline constexpr int kImageCompressionLevel = 6;

// Compresses `data` in the zlib format at level 6. Empty only when the
// compressor could not be set up (out of memory). The same input always
// gives the same bytes, on any thread.
std::vector<std::uint8_t> compress_zlib(std::span<const std::uint8_t> data);

}  // namespace pdf
