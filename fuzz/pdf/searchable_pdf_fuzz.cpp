// Random pages and texts: the writer never crashes, its output always passes
// the structural check, draws exactly the pages that can be drawn, and does
// not depend on the thread count.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "pdf/searchable_pdf.hpp"
#include "pdf/xref_check.hpp"

namespace {

std::uint32_t side(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
      return 0;
    case 1:
      return 0xFFFFFFFFu;
    case 2:
      return input.ConsumeIntegral<std::uint32_t>();
    default:
      return input.ConsumeIntegralInRange<std::uint32_t>(1, 48);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const unsigned threads = input.ConsumeIntegralInRange(0u, 4u);
  const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 6);

  std::vector<pdf::PdfPage> pages;
  std::size_t drawable = 0;
  for (std::size_t i = 0; i < count; ++i) {
    pdf::PdfPage page;
    page.width = side(input);
    page.height = side(input);
    const std::uint64_t pixels = std::uint64_t{page.width} * page.height;
    const bool small = pixels <= 48 * 48;
    std::size_t bytes = small ? pixels * 3 : input.ConsumeIntegralInRange<std::size_t>(0, 64);
    if (small && input.ConsumeBool()) {
      const int off_by = input.ConsumeIntegralInRange(-2, 2);
      if (off_by >= 0 || bytes >= static_cast<std::size_t>(-off_by)) bytes += off_by;
    }
    page.rgb = input.ConsumeBytes<std::uint8_t>(bytes);
    page.rgb.resize(bytes, static_cast<std::uint8_t>(i * 37));
    page.text = input.ConsumeRandomLengthString(300);
    if (page.width != 0 && page.height != 0 && small && page.rgb.size() == pixels * 3) {
      ++drawable;
    }
    pages.push_back(std::move(page));
  }

  const auto file = pdf::build_searchable_pdf(pages, threads);
  if (!pdf::check_pdf_structure(file)) __builtin_trap();
  const std::string text(file.begin(), file.end());
  if (text.find("<< /Type /Pages /Count " + std::to_string(drawable) + " /Kids [") ==
      std::string::npos) {
    __builtin_trap();
  }
  if (threads != 1 && pdf::build_searchable_pdf(pages, 1) != file) __builtin_trap();
  return 0;
}
