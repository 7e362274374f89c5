#pragma once
// Turns a picked document into a small picture for the print view. Runs on
// the preview worker only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace devices {

struct PreviewImage {
  std::shared_ptr<const std::vector<std::uint8_t>> pixels;  // RGBA, row by row
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

class PreviewImageService {
 public:
  virtual ~PreviewImageService() = default;
  virtual std::uint8_t category_for_path(const std::string& path) = 0;
  virtual std::optional<PreviewImage> generate(const std::string& path, std::uint8_t category,
                                               std::uint32_t size_limit) = 0;
};

using PreviewServicePtr = std::shared_ptr<PreviewImageService>;

}  // namespace devices
