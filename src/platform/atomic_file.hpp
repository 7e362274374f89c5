#pragma once
// Saving a file so that it is either completely the new content or untouched:
// the bytes go to a temporary file in the destination's folder, which is
// flushed to disk and then renamed over the destination.

#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/result.hpp"

namespace platform {

// Writes `bytes` to `path`. A new file gets mode 0600; a file that is replaced
// keeps its mode. On failure any existing file at `path` is unchanged and no
// temporary file is left behind. The error names what failed and why.
Status write_file_atomically(const std::filesystem::path& path,
                             std::span<const std::uint8_t> bytes);

}  // namespace platform
