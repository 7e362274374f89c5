#include "ocr/tsv.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ocr::OcrError;
using ocr::OcrWord;

const std::string kHeader =
    "level\tpage_num\tblock_num\tpar_num\tline_num\tword_num\tleft\ttop\twidth\theight\tconf\ttext"
    "\n";

std::string row(const std::string& level, const std::string& page, const std::string& line,
                const std::string& word, const std::string& left, const std::string& width,
                const std::string& conf, const std::string& text) {
  return level + "\t" + page + "\t1\t1\t" + line + "\t" + word + "\t" + left + "\t20\t" + width +
         "\t30\t" + conf + "\t" + text + "\n";
}

std::string word_row(const std::string& text, const std::string& line = "1",
                     const std::string& word = "1", const std::string& conf = "90") {
  return row("5", "1", line, word, "10", "40", conf, text);
}

std::vector<std::string> texts(const std::vector<OcrWord>& words) {
  std::vector<std::string> out;
  for (const auto& w : words) out.push_back(w.text);
  return out;
}

TEST(ParseTsv, ReadsEveryFieldOfAWordRow) {
  const auto result = ocr::parse_tsv(kHeader + "1\t1\t0\t0\t0\t0\t0\t0\t2480\t3508\t-1\t\n" +
                                         "5\t1\t2\t3\t4\t5\t100\t200\t30\t40\t95.5\tWort\n",
                                     "deu");
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result->language, "deu");
  ASSERT_EQ(result->words.size(), 1u);
  const OcrWord expected{"Wort", 100, 200, 30, 40, 0.955f, 1, 2, 3, 4, 5};
  EXPECT_EQ(result->words[0], expected);
}

TEST(ParseTsv, SkipsMalformedRowsSilently) {
  struct Case {
    const char* name;
    std::string line;
    std::vector<std::string> kept;
  };
  const std::string eleven = "5\t1\t1\t1\t1\t1\t10\t20\t40\t30\t90\n";
  const std::string thirteen = "5\t1\t1\t1\t1\t1\t10\t20\t40\t30\t90\tword\textra\n";
  const Case cases[] = {
      {"eleven fields", eleven, {}},
      {"thirteen fields", thirteen, {}},
      {"line level", row("4", "1", "1", "1", "10", "40", "-1", "line"), {}},
      {"level 05", row("05", "1", "1", "1", "10", "40", "90", "w"), {}},
      {"confidence -1", word_row("w", "1", "1", "-1"), {}},
      {"confidence not a number", word_row("w", "1", "1", "high"), {}},
      {"confidence nan", word_row("w", "1", "1", "nan"), {}},
      {"confidence inf", word_row("w", "1", "1", "inf"), {}},
      {"confidence negative zero", word_row("w", "1", "1", "-0"), {"w"}},
      {"confidence with exponent", word_row("w", "1", "1", "9.5e1"), {"w"}},
      {"text only spaces and tabs", "5\t1\t1\t1\t1\t1\t10\t20\t40\t30\t90\t \t \n", {}},
      {"text empty", word_row(""), {}},
      {"text no-break spaces only", word_row("\u00a0\u3000"), {}},
      {"text padded", word_row("  word  "), {"word"}},
      {"page +5", row("5", "+5", "1", "1", "10", "40", "90", "p"), {"p"}},
      {"page -5", row("5", "-5", "1", "1", "10", "40", "90", "p"), {}},
      {"page 5.0", row("5", "5.0", "1", "1", "10", "40", "90", "p"), {}},
      {"page ++5", row("5", "++5", "1", "1", "10", "40", "90", "p"), {}},
      {"page +", row("5", "+", "1", "1", "10", "40", "90", "p"), {}},
      {"page empty", row("5", "", "1", "1", "10", "40", "90", "p"), {}},
      {"page 4294967295", row("5", "4294967295", "1", "1", "10", "40", "90", "p"), {"p"}},
      {"page 4294967296", row("5", "4294967296", "1", "1", "10", "40", "90", "p"), {}},
      {"right edge overflows", row("5", "1", "1", "1", "1", "4294967295", "90", "w"), {}},
      {"right edge at the top", row("5", "1", "1", "1", "0", "4294967295", "90", "w"), {"w"}},
      {"text 4096 bytes", word_row(std::string(4096, 'a')), {std::string(4096, 'a')}},
      {"text 4097 bytes", word_row(std::string(4097, 'a')), {}},
      {"text 4097 bytes padded", word_row(" " + std::string(4095, 'a') + " "), {}},
  };
  for (const auto& c : cases) {
    const auto result = ocr::parse_tsv(kHeader + c.line, "eng");
    ASSERT_TRUE(result.ok()) << c.name;
    EXPECT_EQ(texts(result->words), c.kept) << c.name;
  }
}

TEST(ParseTsv, ScalesAndClampsConfidence) {
  const auto result =
      ocr::parse_tsv(kHeader + word_row("a", "1", "1", "95.5") + word_row("b", "1", "2", "150") +
                         word_row("c", "1", "3", "0") + word_row("d", "1", "4", "+42"),
                     "eng");
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result->words.size(), 4u);
  EXPECT_FLOAT_EQ(result->words[0].confidence, 0.955f);
  EXPECT_EQ(result->words[1].confidence, 1.0f);
  EXPECT_EQ(result->words[2].confidence, 0.0f);
  EXPECT_FLOAT_EQ(result->words[3].confidence, 0.42f);
}

TEST(ParseTsv, HeaderOnlyAndEmptyOutputGiveNoWords) {
  for (const std::string& output :
       {std::string(), kHeader, std::string("5\t1\t1\t1\t1\t1\t1\t1\t1\t1\t90\tx")}) {
    const auto result = ocr::parse_tsv(output, "eng");
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result->words.empty()) << "the first line is a header, whatever it says";
  }
}

TEST(ParseTsv, CarriageReturnLineFeedReadsLikeLineFeed) {
  const std::string unix_text = kHeader + word_row("one") + word_row("two", "1", "2");
  std::string windows_text;
  for (char c : unix_text) {
    if (c == '\n') windows_text += '\r';
    windows_text += c;
  }
  const auto a = ocr::parse_tsv(unix_text, "eng");
  const auto b = ocr::parse_tsv(windows_text, "eng");
  ASSERT_TRUE(a.ok());
  ASSERT_TRUE(b.ok());
  EXPECT_EQ(a->words, b->words);
  EXPECT_EQ(texts(b->words), (std::vector<std::string>{"one", "two"}));
}

TEST(ParseTsv, LastLineWithoutLineFeedCounts) {
  std::string text = kHeader + word_row("one") + word_row("two", "1", "2");
  text.pop_back();
  const auto result = ocr::parse_tsv(text, "eng");
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(texts(result->words), (std::vector<std::string>{"one", "two"}));
}

TEST(ParseTsv, OrdersByKeyAndKeepsInputOrderForEqualKeys) {
  const std::string text = kHeader + row("5", "1", "2", "1", "10", "40", "90", "second-line") +
                           row("5", "1", "1", "2", "10", "40", "90", "b") +
                           row("5", "1", "1", "1", "10", "40", "90", "a") +
                           row("5", "1", "1", "2", "10", "40", "90", "b-twin") +
                           row("5", "0", "9", "9", "10", "40", "90", "page-zero") +
                           row("5", "1", "10", "1", "10", "40", "90", "line-ten");
  const auto result = ocr::parse_tsv(text, "eng");
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(texts(result->words),
            (std::vector<std::string>{"page-zero", "a", "b", "b-twin", "second-line", "line-ten"}));
}

TEST(ParseTsv, RefusesBadLanguageAndOversizedOutput) {
  EXPECT_EQ(ocr::parse_tsv(kHeader, "").error().kind, OcrError::Kind::InvalidLanguage);
  EXPECT_EQ(ocr::parse_tsv(kHeader, "e n").error().kind, OcrError::Kind::InvalidLanguage);

  std::string big = kHeader + word_row("w");
  big.resize(ocr::kMaxOutputBytes, '\n');
  EXPECT_TRUE(ocr::parse_tsv(big, "eng").ok()) << "exactly at the limit";
  big.push_back('\n');
  const auto over = ocr::parse_tsv(big, "eng");
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.error(), ocr::ocr_error(OcrError::Kind::Engine, ocr::kOutputOverLimit));
}

TEST(ParseTsv, AcceptsExactlyTheWordLimitAndFailsOneAbove) {
  std::string text = kHeader;
  const std::string line = word_row("w");
  text.reserve(kHeader.size() + line.size() * (ocr::kMaxWords + 1));
  for (std::size_t i = 0; i < ocr::kMaxWords; ++i) text += line;
  const auto at_limit = ocr::parse_tsv(text, "eng");
  ASSERT_TRUE(at_limit.ok());
  EXPECT_EQ(at_limit->words.size(), ocr::kMaxWords);

  text += line;
  const auto over = ocr::parse_tsv(text, "eng");
  ASSERT_FALSE(over.ok());
  EXPECT_EQ(over.error(), ocr::ocr_error(OcrError::Kind::Engine, ocr::kTooManyWords));

  // Skipped rows do not count towards the limit.
  text.pop_back();
  text += "\t\n";
  EXPECT_TRUE(ocr::parse_tsv(text, "eng").ok());
}

// Tabs are searched 16 bytes at a time with a byte-wise tail, so every
// field must be read right wherever its tabs fall against those blocks, and
// a 13th field must be refused wherever it starts.
TEST(ParseTsv, FieldsAreReadWhereverTheirTabsFallInTheLine) {
  for (std::size_t pad = 0; pad < 40; ++pad) {
    const std::string left = std::string(pad, '0') + "7";
    const std::string text = std::string(pad % 17 + 1, 'w');
    const std::string good = row("5", "1", "1", "1", left, "40", "90", text);
    std::string extra = good;
    extra.insert(extra.size() - 1, "\tmore");
    const auto result = ocr::parse_tsv(kHeader + good + extra, "eng");
    ASSERT_TRUE(result.ok()) << pad;
    ASSERT_EQ(result->words.size(), 1u) << pad;
    EXPECT_EQ(result->words[0].left, 7u) << pad;
    EXPECT_EQ(result->words[0].width, 40u) << pad;
    EXPECT_EQ(result->words[0].height, 30u) << pad;
    EXPECT_EQ(result->words[0].text, text) << pad;
  }
}

TEST(JoinWords, SpaceWithinALineAndLineFeedBetweenLines) {
  auto word = [](std::string text, std::uint32_t block, std::uint32_t par, std::uint32_t line) {
    OcrWord w;
    w.text = std::move(text);
    w.page_num = 1;
    w.block_num = block;
    w.par_num = par;
    w.line_num = line;
    return w;
  };
  EXPECT_EQ(ocr::join_words({}), "");
  EXPECT_EQ(ocr::join_words({word("alone", 1, 1, 1)}), "alone");
  EXPECT_EQ(ocr::join_words({word("one", 1, 1, 1), word("two", 1, 1, 1), word("three", 1, 1, 2)}),
            "one two\nthree");
  EXPECT_EQ(ocr::join_words({word("block", 1, 1, 1), word("next", 2, 1, 1), word("par", 2, 2, 1)}),
            "block\nnext\npar")
      << "blocks and paragraphs get a single line feed, like lines";
}

}  // namespace
