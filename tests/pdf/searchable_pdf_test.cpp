#include "pdf/searchable_pdf.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pdf/xref_check.hpp"
#include "pdf_reading.hpp"

namespace {

using pdf::PdfPage;
using pdf_test::as_text;
using pdf_test::object_bodies;
using pdf_test::stream_data;

const std::string kFont =
    "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>";
const std::string kCatalog = "<< /Type /Catalog /Pages 2 0 R >>";

// Pixels that differ from page to page and row to row, so that a page drawn
// from the wrong buffer or rows out of order would show.
PdfPage page(std::uint32_t width, std::uint32_t height, std::string text = {}) {
  PdfPage result{{}, std::move(text), width, height};
  result.rgb.resize(std::size_t{width} * height * 3);
  for (std::size_t i = 0; i < result.rgb.size(); ++i) {
    result.rgb[i] = static_cast<std::uint8_t>((i * 7 + width * 13 + height) % 251);
  }
  return result;
}

PdfPage page_with_buffer(std::uint32_t width, std::uint32_t height, std::size_t bytes) {
  return PdfPage{std::vector<std::uint8_t>(bytes, 0x80), "lost", width, height};
}

struct DrawnPage {
  std::size_t image_index;
  std::string content;
  // What pdftotext reads back, which merges runs of spaces into one.
  std::string recovered_text;
};

struct LayoutCase {
  std::string name;
  std::vector<PdfPage> pages;
  std::vector<DrawnPage> drawn;
  std::string kids;
};

std::vector<LayoutCase> layout_cases() {
  const std::string full = "q 559 0 0 806 18 18 cm /Im0 Do Q\n";
  return {
      {"no pages", {}, {}, ""},
      {"only pages that cannot be drawn",
       {page_with_buffer(0, 5, 0), page_with_buffer(5, 0, 0), page_with_buffer(2, 2, 11),
        page_with_buffer(2, 2, 13), page_with_buffer(0xFFFFFFFF, 0xFFFFFFFF, 3)},
       {},
       ""},
      {"page of the largest image size", {page(559, 806)}, {{0, full, ""}}, "5 0 R"},
      {"wide page centred vertically",
       {page(1118, 806)},
       {{0, "q 559 0 0 403 18 219.5 cm /Im0 Do Q\n", ""}},
       "5 0 R"},
      {"skipped pages keep their image numbers",
       {page(1, 3, "first"), page(0, 0, "gone"), page(3, 1, "third")},
       {{0,
         "q 268.6666666666667 0 0 806 163.16666666666666 18 cm /Im0 Do Q\n"
         "BT /F1 10 Tf 3 Tr 18 18 Td (first) Tj ET\n",
         "first"},
        {2,
         "q 559 0 0 186.33333333333334 18 327.8333333333333 cm /Im2 Do Q\n"
         "BT /F1 10 Tf 3 Tr 18 18 Td (third) Tj ET\n",
         "third"}},
       "5 0 R 8 0 R"},
      {"small numbers without exponent",
       {page(1000, 1, "x"), page(1, 100000, "y")},
       {{0, "q 559 0 0 0.559 18 420.7205 cm /Im0 Do Q\nBT /F1 10 Tf 3 Tr 18 18 Td (x) Tj ET\n",
         "x"},
        {1, "q 0.00806 0 0 806 297.49597 18 cm /Im1 Do Q\nBT /F1 10 Tf 3 Tr 18 18 Td (y) Tj ET\n",
         "y"}},
       "5 0 R 8 0 R"},
      {"text of white space only",
       {page(559, 806, " \t\u00A0\r\n\u3000 ")},
       {{0, full, ""}},
       "5 0 R"},
      {"parentheses and backslashes escaped",
       {page(559, 806, "a(b)c\\d")},
       {{0, full + "BT /F1 10 Tf 3 Tr 18 18 Td (a\\(b\\)c\\\\d) Tj ET\n", "a(b)c\\d"}},
       "5 0 R"},
      {"typographic characters to WinAnsi",
       {page(559, 806,
             " It\u2019s \u2018a\u2019 \u201Cb\u201D \u2022 \u2013 \u2014 \u2026 "
             "caf\u00E9\t\u00A0\u00A1~ ")},
       {{0,
         full + "BT /F1 10 Tf 3 Tr 18 18 Td ( It\x92s \x91"
                "a\x92 \x93"
                "b\x94 \x95 \x96 \x97 \x85 "
                "caf\xE9  \xA1~ ) Tj ET\n",
         "It\u2019s \u2018a\u2019 \u201Cb\u201D \u2022 \u2013 \u2014 \u2026 caf\u00E9 \u00A1~"}},
       "5 0 R"},
      {"characters without a byte and line breaks",
       {page(559, 806, "5 \u20AC\nnext\r\x7F\u00A0\u0100")},
       {{0, full + "BT /F1 10 Tf 3 Tr 18 18 Td (5 \?\?next\?\? \?) Tj ET\n", "5 \?\?next\?\? \?"}},
       "5 0 R"},
      {"bytes that are not UTF-8",
       {page(559, 806, "a\xFF\xC3z\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82")},
       {{0, full + "BT /F1 10 Tf 3 Tr 18 18 Td (a\?\?z\?\?\?\?\?\?\?\?\?\?\?) Tj ET\n",
         "a\?\?z\?\?\?\?\?\?\?\?\?\?\?"}},
       "5 0 R"},
  };
}

std::string page_body(std::size_t image_index, std::size_t image_object) {
  return "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 1 0 R "
         ">> /XObject << /Im" +
         std::to_string(image_index) + " " + std::to_string(image_object) +
         " 0 R >> >> /Contents " + std::to_string(image_object + 1) + " 0 R >>";
}

// What pdftotext reads on one page, without the page break and the line
// ends that it adds.
std::string recovered_text(const std::filesystem::path& file, std::size_t page_number) {
  const auto run =
      pdf_test::run_tool("pdftotext -q -enc UTF-8 -f " + std::to_string(page_number) + " -l " +
                         std::to_string(page_number) + " '" + file.string() + "' -");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  std::string text = run.output;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\f' || text.back() == ' ')) {
    text.pop_back();
  }
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  return text;
}

TEST(SearchablePdf, LaysOutEveryCaseExactlyAndReadsBackWithQpdfAndPdftotext) {
  const auto folder = pdf_test::make_temporary_folder();
  ASSERT_FALSE(folder.empty());
  for (const auto& c : layout_cases()) {
    SCOPED_TRACE(c.name);
    const auto file = pdf::build_searchable_pdf(c.pages);
    ASSERT_TRUE(pdf::check_pdf_structure(file)) << pdf::check_pdf_structure(file).error();
    EXPECT_EQ(as_text(file).substr(0, 23), std::string("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n"));

    const auto bodies = object_bodies(file);
    ASSERT_EQ(bodies.size(), 3 + 3 * c.drawn.size());
    EXPECT_EQ(bodies.front(), kFont);
    EXPECT_EQ(bodies[1], "<< /Type /Pages /Count " + std::to_string(c.drawn.size()) + " /Kids [" +
                             c.kids + "] >>");
    EXPECT_EQ(bodies.back(), kCatalog);
    EXPECT_NE(
        as_text(file).find("trailer\n<< /Size " + std::to_string(bodies.size() + 1) + " /Root " +
                           std::to_string(bodies.size()) + " 0 R >>\nstartxref\n"),
        std::string::npos);

    for (std::size_t k = 0; k < c.drawn.size(); ++k) {
      const auto& expected = c.drawn[k];
      const PdfPage& source = c.pages[expected.image_index];
      const std::size_t image = 3 + 3 * k;
      EXPECT_EQ(bodies[image - 1].substr(0, bodies[image - 1].find(">>\nstream\n")),
                "<< /Length " + std::to_string(stream_data(bodies[image - 1]).size()) +
                    " /Type /XObject /Subtype /Image /Width " + std::to_string(source.width) +
                    " /Height " + std::to_string(source.height) +
                    " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode ");
      EXPECT_EQ(pdf_test::inflate(stream_data(bodies[image - 1])), source.rgb);
      EXPECT_EQ(bodies[image], "<< /Length " + std::to_string(expected.content.size()) +
                                   " >>\nstream\n" + expected.content + "\nendstream");
      EXPECT_EQ(bodies[image + 1], page_body(expected.image_index, image));
    }

    const auto path = folder / "case.pdf";
    pdf_test::write_bytes(path, file);
    const auto check = pdf_test::run_tool("qpdf --check '" + path.string() + "'");
    EXPECT_EQ(check.exit_code, 0) << check.output;
    for (std::size_t k = 0; k < c.drawn.size(); ++k) {
      EXPECT_EQ(recovered_text(path, k + 1), c.drawn[k].recovered_text);
    }
  }
  std::filesystem::remove_all(folder);
}

TEST(SearchablePdf, WritesTheExactFileForATinyDocument) {
  using namespace std::string_literals;
  // The image data is libdeflate's level-6 zlib output, which stores inputs
  // this small uncompressed.
  const std::string expected =
      "%PDF-1.7\n"
      "%\xE2\xE3\xCF\xD3\n"
      "1 0 obj\n"
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>\n"
      "endobj\n"
      "2 0 obj\n"
      "<< /Type /Pages /Count 2 /Kids [5 0 R 8 0 R] >>\n"
      "endobj\n"
      "3 0 obj\n"
      "<< /Length 14 /Type /XObject /Subtype /Image /Width 1 /Height 1 /ColorSpace /DeviceRGB "
      "/BitsPerComponent 8 /Filter /FlateDecode >>\n"
      "stream\n"
      "x\x9C\x01\x03\x00\xFC\xFF\xFF\x00\x00\x03\x00\x01\x00\n"
      "endstream\n"
      "endobj\n"
      "4 0 obj\n"
      "<< /Length 81 >>\n"
      "stream\n"
      "q 559 0 0 559 18 141.5 cm /Im0 Do Q\n"
      "BT /F1 10 Tf 3 Tr 18 18 Td (Hi \\(\\\\\\)) Tj ET\n"
      "\n"
      "endstream\n"
      "endobj\n"
      "5 0 obj\n"
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 1 0 R >> "
      "/XObject << /Im0 3 0 R >> >> /Contents 4 0 R >>\n"
      "endobj\n"
      "6 0 obj\n"
      "<< /Length 17 /Type /XObject /Subtype /Image /Width 2 /Height 1 /ColorSpace /DeviceRGB "
      "/BitsPerComponent 8 /Filter /FlateDecode >>\n"
      "stream\n"
      "x\x9C\x01\x06\x00\xF9\xFF\xFF\x00\x00\x00\x80\xFF\x07\xFF\x02\x7F\n"
      "endstream\n"
      "endobj\n"
      "7 0 obj\n"
      "<< /Length 39 >>\n"
      "stream\n"
      "q 559 0 0 279.5 18 281.25 cm /Im2 Do Q\n"
      "\n"
      "endstream\n"
      "endobj\n"
      "8 0 obj\n"
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 1 0 R >> "
      "/XObject << /Im2 6 0 R >> >> /Contents 7 0 R >>\n"
      "endobj\n"
      "9 0 obj\n"
      "<< /Type /Catalog /Pages 2 0 R >>\n"
      "endobj\n"
      "xref\n"
      "0 10\n"
      "0000000000 65535 f \n"
      "0000000015 00000 n \n"
      "0000000112 00000 n \n"
      "0000000175 00000 n \n"
      "0000000353 00000 n \n"
      "0000000484 00000 n \n"
      "0000000636 00000 n \n"
      "0000000817 00000 n \n"
      "0000000906 00000 n \n"
      "0000001058 00000 n \n"
      "trailer\n"
      "<< /Size 10 /Root 9 0 R >>\n"
      "startxref\n"
      "1107\n"
      "%%EOF\n"s;
  const std::vector<PdfPage> pages = {
      {{0xFF, 0x00, 0x00}, "Hi (\\)", 1, 1},
      {{0x00, 0x00, 0x00}, "skipped", 0, 1},
      {{0xFF, 0x00, 0x00, 0x00, 0x80, 0xFF}, "", 2, 1},
  };
  EXPECT_EQ(as_text(pdf::build_searchable_pdf(pages)), expected);
}

std::vector<PdfPage> noisy_document() {
  std::mt19937 random(42);
  std::vector<PdfPage> pages;
  for (std::uint32_t k = 0; k < 7; ++k) {
    PdfPage p = page(120 + 37 * k, 90 + 53 * k, "page " + std::to_string(k));
    for (auto& byte : p.rgb) {
      if (random() % 5 == 0) byte = static_cast<std::uint8_t>(random());
    }
    pages.push_back(std::move(p));
    if (k == 3) pages.push_back(page_with_buffer(4, 4, 47));
  }
  return pages;
}

TEST(SearchablePdf, GivesIdenticalBytesWhateverTheThreadCount) {
  const auto pages = noisy_document();
  const auto reference = pdf::build_searchable_pdf(pages, 1);
  ASSERT_TRUE(pdf::check_pdf_structure(reference));
  for (const unsigned threads : {0u, 2u, 3u, 8u, 64u}) {
    EXPECT_EQ(pdf::build_searchable_pdf(pages, threads), reference) << threads << " threads";
  }
  EXPECT_EQ(pdf::build_searchable_pdf(pages), reference);
}

TEST(RgbFromRgba, DropsAlphaAndRefusesBuffersOfTheWrongLength) {
  const std::vector<std::uint8_t> rgba = {1, 2, 3, 255, 4, 5, 6, 0};
  EXPECT_EQ(pdf::rgb_from_rgba(rgba, 2, 1), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(pdf::rgb_from_rgba(rgba, 1, 2), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(pdf::rgb_from_rgba(rgba, 1, 1).empty());
  EXPECT_TRUE(pdf::rgb_from_rgba(rgba, 3, 1).empty());
  EXPECT_TRUE(pdf::rgb_from_rgba({}, 0, 0).empty());
}

}  // namespace
