#pragma once
// The preview image service on Qt and poppler: a small picture of page 1 of
// a PDF, of an image file, or of the first lines of a text file. Every call
// reads the file afresh (the document may change between calls) and runs on
// the preview worker, never on the UI thread.

#include <cstdint>
#include <optional>
#include <string>

#include "devices/preview_service.hpp"

namespace printing {

// The category codes that `category_for_path` hands to `generate`.
enum class PreviewCategory : std::uint8_t { Other = 0, Pdf = 1, Image = 2, Text = 3 };

// The largest picture `generate` makes, on the long side, whatever limit it
// is given.
inline constexpr std::uint32_t kMaxPreviewSide = 720;

class QtPreviewImageService final : public devices::PreviewImageService {
 public:
  QtPreviewImageService();
  // From the file's content, not its name: a binary file called "x.txt" is
  // not text.
  std::uint8_t category_for_path(const std::string& path) override;
  // RGBA8888 pixels within min(size_limit, 720) on the long side; nothing for
  // a file that cannot be read or shown.
  std::optional<devices::PreviewImage> generate(const std::string& path, std::uint8_t category,
                                                std::uint32_t size_limit) override;
};

}  // namespace printing
