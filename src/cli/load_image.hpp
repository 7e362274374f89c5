#pragma once

#include <QImage>
#include <string>

#include "platform/result.hpp"

namespace cli {

// Decodes by content, refusing an image over the engine's size limits before
// spending memory on it.
platform::Result<QImage> load_image(const std::string& path);

}  // namespace cli
