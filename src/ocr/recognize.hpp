#pragma once
// Text recognition of one page: prepare the image, write it to a temporary
// PNG, run the engine on it and read its words. Safe to call from several
// threads at once; calls share nothing.

#include <string_view>

#include "ocr/image.hpp"
#include "ocr/ocr_error.hpp"
#include "ocr/ocr_word.hpp"
#include "ocr/tesseract.hpp"
#include "platform/result.hpp"

class QImage;

namespace ocr {

platform::Result<OcrResult, OcrError> recognize_image(const PixelImage& image,
                                                      std::string_view language,
                                                      const EngineOptions& options = {});
platform::Result<OcrResult, OcrError> recognize_image(const QImage& image,
                                                      std::string_view language,
                                                      const EngineOptions& options = {});

// The steps after preparation: temporary PNG, engine run, parse.
platform::Result<OcrResult, OcrError> recognize_prepared(const GrayImage& prepared,
                                                         std::string_view language,
                                                         const EngineOptions& options = {});

}  // namespace ocr
