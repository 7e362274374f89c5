#include "ocr/ocr_error.hpp"

namespace ocr {

std::string describe(const OcrError& error) {
  using Kind = OcrError::Kind;
  switch (error.kind) {
    case Kind::ImageError:
      return "the image could not be encoded: " + error.detail;
    case Kind::ImageTooLarge:
      return "the image is too large (at most 10000 pixels a side and 60 million pixels)";
    case Kind::InvalidLanguage:
      return "the language code is not valid (letters, digits, '+', '-' or '_', such as eng or "
             "deu+eng)";
    case Kind::NotInstalled:
      return "tesseract is not installed (it was not found on the search path)";
    case Kind::Engine:
      return error.detail.empty() ? "tesseract failed without a message"
                                  : "tesseract failed: " + error.detail;
    case Kind::Io:
      return "input/output error: " + error.detail;
  }
  return "text recognition failed";
}

}  // namespace ocr
