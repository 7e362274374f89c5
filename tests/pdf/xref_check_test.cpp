#include "pdf/xref_check.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "pdf/searchable_pdf.hpp"

namespace {

std::vector<std::uint8_t> sample_file() {
  std::vector<pdf::PdfPage> pages(2);
  pages[0] = {std::vector<std::uint8_t>(4 * 3 * 3, 0x40), "one", 4, 3};
  pages[1] = {std::vector<std::uint8_t>(2 * 5 * 3, 0xC0), "two", 2, 5};
  return pdf::build_searchable_pdf(pages);
}

void replace_once(std::vector<std::uint8_t>& file, const std::string& from, const std::string& to) {
  std::string text(file.begin(), file.end());
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  file.assign(text.begin(), text.end());
}

TEST(PdfStructureCheck, AcceptsTheWritersOutputAndFindsEachKindOfDamage) {
  const auto good = sample_file();
  EXPECT_TRUE(pdf::check_pdf_structure(good));
  EXPECT_TRUE(pdf::check_pdf_structure(pdf::build_searchable_pdf({})));

  const struct {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
  } cases[] = {
      {"empty file", [](auto& f) { f.clear(); }},
      {"cut short", [](auto& f) { f.resize(f.size() / 2); }},
      {"entry off by one",
       [](auto& f) { replace_once(f, "0000000015 00000 n", "0000000016 00000 n"); }},
      {"stream longer than its length",
       [](auto& f) { replace_once(f, "(one) Tj ET\n", "(one!) Tj ET\n"); }},
      {"wrong root", [](auto& f) { replace_once(f, "/Root ", "/Root 1"); }},
      {"wrong startxref", [](auto& f) { replace_once(f, "startxref\n", "startxref\n1"); }},
      {"object renumbered", [](auto& f) { replace_once(f, "\n4 0 obj\n", "\n9 0 obj\n"); }},
      {"endobj missing", [](auto& f) { replace_once(f, "R >>\nendobj\n", "R >>\nendob \n"); }},
  };
  for (const auto& c : cases) {
    auto file = good;
    c.damage(file);
    EXPECT_FALSE(pdf::check_pdf_structure(file)) << c.name;
  }
}

}  // namespace
