#include "ocr/utf8.hpp"

#include <gtest/gtest.h>

#include <string>

#include "ocr/tesseract.hpp"

namespace {

TEST(Utf8, ReplacesEachMaximalInvalidSubpartOnce) {
  struct Case {
    std::string in;
    std::string out;
  };
  const std::string r = "\xEF\xBF\xBD";
  const Case cases[] = {
      {"plain", "plain"},
      {"Stra\xC3\x9F"
       "e",
       "Stra\xC3\x9F"
       "e"},
      {"\xFF", r},
      {"a\xC3", "a" + r},
      {"\xE2\x82", r},  // truncated three-byte sequence: one subpart
      {"\xE2\x82"
       "A",
       r + "A"},
      {"\xED\xA0\x80", r + r + r},  // surrogate: every byte on its own
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"\xF4\x90\x80\x80", r + r + r + r},  // above U+10FFFF
      {"\xC0\xAF", r + r},                  // overlong
      {"ok\x80"
       "ok",
       "ok" + r + "ok"},
  };
  for (const auto& c : cases) EXPECT_EQ(ocr::decode_utf8_lossy(c.in), c.out) << c.in;
}

TEST(Utf8, TrimsUnicodeWhiteSpaceOnly) {
  EXPECT_EQ(ocr::trim_whitespace(" \t\r\n word \v\f"), "word");
  EXPECT_EQ(ocr::trim_whitespace("\u00a0\u2003word\u3000"), "word");
  EXPECT_EQ(ocr::trim_whitespace("\u200bword"), "\u200bword") << "zero width space is not white";
  EXPECT_EQ(ocr::trim_whitespace("a b"), "a b");
  EXPECT_EQ(ocr::trim_whitespace("   "), "");
}

TEST(EngineMessage, CleansWhatTheEngineSaidOnStandardError) {
  struct Case {
    std::string stderr_bytes;
    std::string message;
  };
  const Case cases[] = {
      {"  Failed loading language 'xyz'\a\n", "Failed loading language 'xyz'"},
      {"", ""},
      {" \n\t ", ""},
      {"line one\n\tline two\x1b[31m\r\n", "line one\n\tline two[31m"},
      {"bad \xFF byte\x7f\xC2\x85", "bad \xEF\xBF\xBD byte"},
      {std::string(600, 'x'), std::string(500, 'x')},
      {std::string(499, 'x') + "\xC3\xA9\xC3\xA9", std::string(499, 'x') + "\xC3\xA9"},
  };
  for (const auto& c : cases) EXPECT_EQ(ocr::engine_message(c.stderr_bytes), c.message);
}

}  // namespace
