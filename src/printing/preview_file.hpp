#pragma once
// A document opened for its preview. The path is opened as raw bytes (a
// Linux file name need not be valid text) and without blocking, and only a
// regular file is accepted: a named pipe or a device would otherwise stall
// the preview worker for good.

#include <QFile>
#include <memory>
#include <string>

namespace printing::preview {

// The opened regular file, or null when the path names nothing readable.
std::unique_ptr<QFile> open_regular_file(const std::string& path);

}  // namespace printing::preview
