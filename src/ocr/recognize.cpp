#include "ocr/recognize.hpp"

#include <QImage>

#include "ocr/image_library.hpp"
#include "ocr/language.hpp"
#include "ocr/png_writer.hpp"
#include "ocr/prepare.hpp"
#include "ocr/temporary_png.hpp"

namespace ocr {
namespace {

template <typename Image>
platform::Result<OcrResult, OcrError> recognize(const Image& image, std::string_view language,
                                                const EngineOptions& options) {
  if (!is_valid_language(language))
    return platform::err(ocr_error(OcrError::Kind::InvalidLanguage));
  auto prepared = prepare_image(image);
  if (!prepared) return platform::err(prepared.error());
  return recognize_prepared(prepared.value().image, language, options);
}

}  // namespace

platform::Result<OcrResult, OcrError> recognize_prepared(const GrayImage& prepared,
                                                         std::string_view language,
                                                         const EngineOptions& options) {
  if (!is_valid_language(language))
    return platform::err(ocr_error(OcrError::Kind::InvalidLanguage));
  auto file = TemporaryPng::create();
  if (!file) return platform::err(ocr_error(OcrError::Kind::Io, file.error()));
  auto png = encode_png(prepared);
  if (!png) return platform::err(ocr_error(OcrError::Kind::ImageError, png.error()));
  if (auto written = file.value().write_and_close(png.value()); !written) {
    return platform::err(ocr_error(OcrError::Kind::ImageError, written.error()));
  }
  // The file is removed when `file` goes out of scope, after the engine ran.
  return run_tesseract(file.value().path(), language, options);
}

platform::Result<OcrResult, OcrError> recognize_image(const PixelImage& image,
                                                      std::string_view language,
                                                      const EngineOptions& options) {
  return recognize(image, language, options);
}

platform::Result<OcrResult, OcrError> recognize_image(const QImage& image,
                                                      std::string_view language,
                                                      const EngineOptions& options) {
  return recognize(image, language, options);
}

}  // namespace ocr
