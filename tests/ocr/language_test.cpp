#include "ocr/language.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Language, AcceptsEngineSpecificationsAndRefusesEverythingElse) {
  struct Case {
    std::string code;
    bool valid;
  };
  const Case cases[] = {
      {"eng", true},
      {"deu+eng", true},
      {"chi_sim", true},
      {"script-Latin", true},
      {"a", true},
      {"7", true},
      {std::string(64, 'x'), true},
      {std::string(65, 'x'), false},
      {"", false},
      {"-eng", false},
      {"eng-", false},
      {"+eng", false},
      {"eng_", false},
      {"e n", false},
      {"eng.traineddata", false},
      {"../eng", false},
      {"eng\n", false},
      {std::string("e\0g", 3), false},
      {"énglish", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ocr::is_valid_language(c.code), c.valid) << '"' << c.code << '"';
  }
}

}  // namespace
