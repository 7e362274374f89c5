#include "pdf/searchable_pdf.hpp"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

#include "pdf/page_compression.hpp"
#include "pdf/pdf_number.hpp"
#include "pdf/pdf_text.hpp"

namespace pdf {

namespace {

constexpr double kPageWidth = 595;
constexpr double kPageHeight = 842;
constexpr double kMaxImageWidth = 559;
constexpr double kMaxImageHeight = 806;
constexpr std::size_t kFontObject = 1;
constexpr std::size_t kPagesObject = 2;

// The header's second line is a comment of four bytes above 127, which tells
// file transfer tools that the file is binary.
constexpr std::string_view kHeader = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n";

// A body in three pieces so that image data is placed into the file without
// another copy: `head` alone for a plain object; for a stream, the
// dictionary and "stream" line, the data, and "\nendstream".
struct Object {
  std::string head;
  std::vector<std::uint8_t> data;
  std::string tail;

  std::size_t size() const { return head.size() + data.size() + tail.size(); }
};

Object plain_object(std::string body) { return Object{std::move(body), {}, {}}; }

Object stream_object(std::string_view entries, std::vector<std::uint8_t> data) {
  std::string head = "<< /Length " + std::to_string(data.size());
  head += entries;
  head += " >>\nstream\n";
  return Object{std::move(head), std::move(data), "\nendstream"};
}

Object text_stream_object(std::string_view entries, const std::string& text) {
  return stream_object(entries, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string reference(std::size_t object) { return std::to_string(object) + " 0 R"; }

bool is_drawable(const PdfPage& page) {
  if (page.width == 0 || page.height == 0) return false;
  // Two 32-bit factors fit in 64 bits; only the factor 3 can overflow.
  const std::uint64_t pixels = std::uint64_t{page.width} * page.height;
  if (pixels > std::numeric_limits<std::uint64_t>::max() / 3) return false;
  return page.rgb.size() == pixels * 3;
}

std::string content_text(const PdfPage& page, std::size_t index) {
  const double width = page.width;
  const double height = page.height;
  const double scale = std::min(kMaxImageWidth / width, kMaxImageHeight / height);
  const double w = scale * width;
  const double h = scale * height;
  const double x = (kPageWidth - w) * 0.5;
  const double y = (kPageHeight - h) * 0.5;
  std::string content = "q " + format_pdf_number(w) + " 0 0 " + format_pdf_number(h) + " " +
                        format_pdf_number(x) + " " + format_pdf_number(y) + " cm /Im" +
                        std::to_string(index) + " Do Q\n";
  if (has_visible_text(page.text)) {
    content += "BT /F1 10 Tf 3 Tr 18 18 Td (";
    content += encode_pdf_text(page.text);
    content += ") Tj ET\n";
  }
  return content;
}

std::string page_body(std::size_t index, std::size_t image, std::size_t content) {
  return "<< /Type /Page /Parent " + reference(kPagesObject) +
         " /MediaBox [0 0 595 842] /Resources << /Font << /F1 " + reference(kFontObject) +
         " >> /XObject << /Im" + std::to_string(index) + " " + reference(image) +
         " >> >> /Contents " + reference(content) + " >>";
}

void append(std::vector<std::uint8_t>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

std::vector<std::uint8_t> write_file(const std::vector<Object>& objects) {
  std::size_t total = kHeader.size() + 200 + 20 * (objects.size() + 1);
  for (const auto& object : objects) total += object.size() + 40;
  std::vector<std::uint8_t> out;
  out.reserve(total);
  append(out, kHeader);

  std::vector<std::size_t> offsets;
  offsets.reserve(objects.size());
  for (std::size_t n = 1; n <= objects.size(); ++n) {
    const Object& object = objects[n - 1];
    offsets.push_back(out.size());
    append(out, std::to_string(n) + " 0 obj\n");
    append(out, object.head);
    out.insert(out.end(), object.data.begin(), object.data.end());
    append(out, object.tail);
    append(out, "\nendobj\n");
  }

  const std::size_t xref = out.size();
  const std::size_t size = objects.size() + 1;
  append(out, "xref\n0 " + std::to_string(size) + "\n0000000000 65535 f \n");
  for (const std::size_t offset : offsets) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    append(out, entry);
  }
  append(out, "trailer\n<< /Size " + std::to_string(size) + " /Root " + reference(objects.size()) +
                  " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n");
  return out;
}

}  // namespace

std::vector<std::uint8_t> build_searchable_pdf(std::span<const PdfPage> pages) {
  return build_searchable_pdf(pages, default_compression_threads());
}

std::vector<std::uint8_t> build_searchable_pdf(std::span<const PdfPage> pages, unsigned threads) {
  std::vector<std::size_t> drawable;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (is_drawable(pages[i])) drawable.push_back(i);
  }
  auto compressed = compress_pages(pages, drawable, threads);

  std::vector<Object> objects;
  objects.reserve(3 + 3 * drawable.size());
  objects.push_back(
      plain_object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding "
                   "/WinAnsiEncoding >>"));
  objects.push_back(plain_object({}));

  std::string kids;
  for (std::size_t k = 0; k < drawable.size(); ++k) {
    const std::size_t index = drawable[k];
    const PdfPage& page = pages[index];
    const std::size_t image = objects.size() + 1;
    objects.push_back(stream_object(" /Type /XObject /Subtype /Image /Width " +
                                        std::to_string(page.width) + " /Height " +
                                        std::to_string(page.height) +
                                        " /ColorSpace /DeviceRGB /BitsPerComponent 8 "
                                        "/Filter /FlateDecode",
                                    std::move(compressed[k])));
    objects.push_back(text_stream_object("", content_text(page, index)));
    objects.push_back(plain_object(page_body(index, image, image + 1)));
    if (!kids.empty()) kids += ' ';
    kids += reference(image + 2);
  }
  objects[kPagesObject - 1].head =
      "<< /Type /Pages /Count " + std::to_string(drawable.size()) + " /Kids [" + kids + "] >>";
  objects.push_back(plain_object("<< /Type /Catalog /Pages " + reference(kPagesObject) + " >>"));
  return write_file(objects);
}

}  // namespace pdf
