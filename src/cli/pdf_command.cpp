#include "cli/pdf_command.hpp"

#include <QImage>
#include <QImageReader>
#include <QString>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ocr/language.hpp"
#include "ocr/prepare.hpp"
#include "ocr/recognize.hpp"
#include "ocr/tsv.hpp"
#include "pdf/searchable_pdf.hpp"
#include "platform/atomic_file.hpp"

#include "cli/load_image.hpp"

namespace cli {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Usage: orvane-ocr pdf IMAGE... -o OUT.pdf [-l LANG] [--no-text]\n"
    "Writes the images, in order, as the pages of one searchable PDF: each image\n"
    "fitted to an A4 page with its recognized text laid over it, invisible.\n"
    "  -o, --output OUT.pdf   the file to write; an existing file is replaced only\n"
    "                         once the new one is complete\n"
    "  -l, --language LANG    tesseract language such as eng (the default), deu,\n"
    "                         fra, spa or deu+eng\n"
    "  --no-text              leave out recognition: image-only pages\n";

struct Arguments {
  std::vector<std::string> images;
  std::string output;
  std::string language = "eng";
  bool recognize = true;
};

int fail(const std::string& message) {
  std::fprintf(stderr, "orvane-ocr pdf: %s\n", message.c_str());
  return kExitFailure;
}

int usage_error(const std::string& problem) {
  std::fprintf(stderr, "orvane-ocr pdf: %s\nTry 'orvane-ocr pdf --help'.\n", problem.c_str());
  return kExitUsage;
}

// The parsed command line, or the exit status after printing help or a
// usage error.
std::optional<Arguments> parse(int argc, char** argv, int& status) {
  Arguments args;
  bool have_output = false;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!options_done && (arg == "-h" || arg == "--help")) {
      std::fputs(kUsage, stdout);
      status = 0;
      return std::nullopt;
    }
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done &&
               (arg == "-o" || arg == "--output" || arg == "-l" || arg == "--language")) {
      if (i + 1 >= argc) {
        status = usage_error(std::string(arg) + " needs a value");
        return std::nullopt;
      }
      if (arg == "-o" || arg == "--output") {
        args.output = argv[++i];
        have_output = true;
      } else {
        args.language = argv[++i];
      }
    } else if (!options_done && arg == "--no-text") {
      args.recognize = false;
    } else if (!options_done && arg.size() > 1 && arg.front() == '-') {
      status = usage_error("unknown option " + std::string(arg));
      return std::nullopt;
    } else {
      args.images.emplace_back(arg);
    }
  }
  if (args.images.empty()) {
    status = usage_error("at least one image file is needed");
    return std::nullopt;
  }
  if (!have_output || args.output.empty()) {
    status = usage_error("-o OUT.pdf is needed");
    return std::nullopt;
  }
  if (args.recognize && !ocr::is_valid_language(args.language)) {
    status = usage_error("'" + args.language + "' is not a language code");
    return std::nullopt;
  }
  return args;
}

// The page as the scan flow makes it: 8-bit RGBA without premultiplied
// alpha, then RGB with the alpha channel dropped.
pdf::PdfPage page_from(const QImage& image, std::string text) {
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  const auto width = static_cast<std::uint32_t>(rgba.width());
  const auto height = static_cast<std::uint32_t>(rgba.height());
  std::vector<std::uint8_t> packed;
  packed.reserve(std::size_t{width} * height * 4);
  for (int y = 0; y < rgba.height(); ++y) {
    const auto* row = rgba.constScanLine(y);
    packed.insert(packed.end(), row, row + std::size_t{width} * 4);
  }
  return pdf::PdfPage{pdf::rgb_from_rgba(packed, width, height), std::move(text), width, height};
}

}  // namespace

int run_pdf_command(int argc, char** argv) {
  int status = 0;
  const auto args = parse(argc, argv, status);
  if (!args) return status;

  std::vector<pdf::PdfPage> pages;
  pages.reserve(args->images.size());
  for (const auto& path : args->images) {
    auto image = load_image(path);
    if (!image) return fail(image.error());
    std::string text;
    if (args->recognize) {
      auto result = ocr::recognize_image(image.value(), args->language);
      if (!result) return fail(path + ": " + ocr::describe(result.error()));
      text = ocr::join_words(result.value().words);
    }
    pages.push_back(page_from(image.value(), std::move(text)));
    if (pages.back().rgb.empty()) return fail(path + ": cannot convert the image to RGB");
  }

  const auto file = pdf::build_searchable_pdf(pages);
  pages.clear();
  const auto saved = platform::write_file_atomically(args->output, file);
  if (!saved) return fail(saved.error());
  return 0;
}

}  // namespace cli
