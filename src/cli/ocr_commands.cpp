#include "cli/ocr_commands.hpp"

#include <QImage>
#include <QImageReader>
#include <QString>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "ocr/image_library.hpp"
#include "ocr/png_writer.hpp"
#include "ocr/prepare.hpp"
#include "ocr/recognize.hpp"
#include "ocr/tsv.hpp"

#include "cli/load_image.hpp"

namespace cli {
namespace {

struct Arguments {
  std::string image;
  std::string language = "eng";
  std::optional<std::string> output;
};

int fail(const std::string& message) {
  std::fprintf(stderr, "orvane-ocr: %s\n", message.c_str());
  return kExitFailure;
}

int usage(std::string_view command, const std::string& problem) {
  std::fprintf(stderr, "orvane-ocr %.*s: %s\n", static_cast<int>(command.size()), command.data(),
               problem.c_str());
  std::fprintf(stderr, "Try 'orvane-ocr --help'.\n");
  return kExitUsage;
}

// IMAGE plus the options a subcommand allows; nullopt after printing why not.
std::optional<Arguments> parse(int argc, char** argv, bool with_language, bool with_output,
                               int& status) {
  const std::string_view command = argv[0];
  Arguments args;
  bool have_image = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool language_flag = arg == "-l" || arg == "--language";
    const bool output_flag = arg == "-o" || arg == "--output";
    if ((language_flag && with_language) || (output_flag && with_output)) {
      if (i + 1 >= argc) {
        status = usage(command, std::string(arg) + " needs a value");
        return std::nullopt;
      }
      (language_flag ? args.language : args.output.emplace()) = argv[++i];
    } else if (arg.size() > 1 && arg.front() == '-') {
      status = usage(command, "unknown option " + std::string(arg));
      return std::nullopt;
    } else if (!have_image) {
      args.image = arg;
      have_image = true;
    } else {
      status = usage(command, "one image only (got " + std::string(arg) + ")");
      return std::nullopt;
    }
  }
  if (!have_image) {
    status = usage(command, "an image file is needed");
    return std::nullopt;
  }
  if (with_output && !args.output) {
    status = usage(command, "-o OUT.png is needed");
    return std::nullopt;
  }
  return args;
}

platform::Result<ocr::OcrResult> recognize_file(const Arguments& args) {
  auto image = load_image(args.image);
  if (!image) return platform::err(image.error());
  auto result = ocr::recognize_image(image.value(), args.language);
  if (!result) return platform::err(ocr::describe(result.error()));
  return std::move(result).value();
}

std::string number(float value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

bool write_file(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int run_words_command(int argc, char** argv) {
  int status = 0;
  auto args = parse(argc, argv, true, false, status);
  if (!args) return status;
  auto result = recognize_file(*args);
  if (!result) return fail(result.error());
  std::printf(
      "text\tleft\ttop\twidth\theight\tconfidence\tpage_num\tblock_num\tpar_num\tline_num\t"
      "word_num\n");
  for (const auto& w : result.value().words) {
    std::printf("%s\t%u\t%u\t%u\t%u\t%s\t%u\t%u\t%u\t%u\t%u\n", w.text.c_str(), w.left, w.top,
                w.width, w.height, number(w.confidence).c_str(), w.page_num, w.block_num, w.par_num,
                w.line_num, w.word_num);
  }
  return std::fflush(stdout) == 0 ? 0 : fail("cannot write the output");
}

int run_text_command(int argc, char** argv) {
  int status = 0;
  auto args = parse(argc, argv, true, false, status);
  if (!args) return status;
  auto result = recognize_file(*args);
  if (!result) return fail(result.error());
  const std::string text = ocr::join_words(result.value().words);
  if (!text.empty()) std::printf("%s\n", text.c_str());
  return std::fflush(stdout) == 0 ? 0 : fail("cannot write the output");
}

int run_prepare_command(int argc, char** argv) {
  int status = 0;
  auto args = parse(argc, argv, false, true, status);
  if (!args) return status;
  auto image = load_image(args->image);
  if (!image) return fail(image.error());
  auto prepared = ocr::prepare_image(image.value());
  if (!prepared) return fail(args->image + ": " + ocr::describe(prepared.error()));
  auto png = ocr::encode_png(prepared.value().image);
  if (!png) return fail("cannot encode the prepared image: " + png.error());
  if (!write_file(*args->output, png.value()))
    return fail(*args->output + ": cannot write the file");
  if (const auto tilt = prepared.value().tilt_degrees) {
    std::printf("tilt: %.1f degrees\n", *tilt);
  } else {
    std::printf("tilt: none\n");
  }
  return std::fflush(stdout) == 0 ? 0 : fail("cannot write the output");
}

}  // namespace cli
