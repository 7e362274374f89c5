#pragma once
// The page preview: a small page glyph with its label and "Page X of Y".

#include <QWidget>
#include <cstdint>
#include <string>

namespace qthost {

struct PagePosition {
  std::uint32_t page = 1;
  std::uint32_t count = 1;
};

// The count is at least 1 and the page lies between 1 and the count.
PagePosition clamp_page(std::uint32_t page, std::uint32_t count);

QWidget* make_page_preview(const std::string& label, std::uint32_t page, std::uint32_t count);

}  // namespace qthost
