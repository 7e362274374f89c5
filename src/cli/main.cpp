// orvane-ocr: the text recognition engine for users and scripts.

#include <QImageReader>
#include <cstdio>
#include <string_view>

#include "cli/ocr_commands.hpp"
#ifdef ORVANE_HAVE_PDF_COMMAND
#include "cli/pdf_command.hpp"
#endif

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  orvane-ocr words IMAGE [-l LANG]    recognized words as TSV: text, box, confidence,\n"
    "                                      page, block, paragraph, line and word number\n"
    "  orvane-ocr text IMAGE [-l LANG]     recognized text, one line per text line\n"
    "  orvane-ocr prepare IMAGE -o OUT.png write the image as the engine sees it and\n"
    "                                      print the tilt that was corrected\n"
    "  orvane-ocr pdf ...                  write a searchable PDF (see orvane-ocr pdf --help)\n"
    "LANG is a tesseract language such as eng (the default), deu, fra, spa or deu+eng.\n";

int run_pdf(int argc, char** argv) {
#ifdef ORVANE_HAVE_PDF_COMMAND
  using namespace cli;  // found whether it is declared in cli or globally
  return run_pdf_command(argc, argv);
#else
  (void)argc;
  (void)argv;
  std::fprintf(stderr, "orvane-ocr: the pdf command is not part of this build\n");
  return cli::kExitFailure;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return cli::kExitUsage;
  }
  const std::string_view command = argv[1];
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // Large scans in 16-bit formats go past Qt's default allocation guard; the
  // engine's own size limits bound them instead.
  QImageReader::setAllocationLimit(1024);
  if (command == "words") return cli::run_words_command(argc - 1, argv + 1);
  if (command == "text") return cli::run_text_command(argc - 1, argv + 1);
  if (command == "prepare") return cli::run_prepare_command(argc - 1, argv + 1);
  if (command == "pdf") return run_pdf(argc - 1, argv + 1);
  std::fprintf(stderr, "orvane-ocr: unknown command '%s'\n", argv[1]);
  std::fputs(kUsage, stderr);
  return cli::kExitUsage;
}
