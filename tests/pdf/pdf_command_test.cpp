// The pdf subcommand of orvane-ocr, run as a user runs it: real images
// rendered by poppler, the real engine, and the file read back by qpdf and
// pdftotext.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "pdf/xref_check.hpp"
#include "pdf_reading.hpp"

namespace {

namespace fs = std::filesystem;
using pdf_test::run_tool;

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

std::string pdf_command(const std::string& arguments) {
  return std::string("'") + ORVANE_OCR_BINARY + "' pdf " + arguments;
}

// A page of two lines of large Helvetica text, drawn by a minimal PDF that
// pdftoppm renders at 150 dpi into `image` (PNG, or JPEG when it ends so).
void render_text_image(const fs::path& image, const std::string& first, const std::string& second) {
  const std::string text =
      "BT /F1 28 Tf 40 300 Td (" + first + ") Tj 0 -50 Td (" + second + ") Tj ET";
  const std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Count 1 /Kids [3 0 R] >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 400] /Resources << /Font << /F1 4 0 R >> "
      ">> /Contents 5 0 R >>",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
      "<< /Length " + std::to_string(text.size()) + " >>\nstream\n" + text + "\nendstream",
  };
  std::string file = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t n = 1; n <= objects.size(); ++n) {
    offsets.push_back(file.size());
    file += std::to_string(n) + " 0 obj\n" + objects[n - 1] + "\nendobj\n";
  }
  const std::size_t xref = file.size();
  file += "xref\n0 6\n0000000000 65535 f \n";
  for (const auto offset : offsets) {
    const std::string digits = std::to_string(offset);
    file += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
  }
  file += "trailer\n<< /Size 6 /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";

  const fs::path source = image.parent_path() / "source.pdf";
  pdf_test::write_bytes(source, std::vector<std::uint8_t>(file.begin(), file.end()));
  const bool jpeg = image.extension() == ".jpg";
  fs::path stem = image;
  stem.replace_extension();
  const auto run = run_tool(std::string("pdftoppm -r 150 -singlefile ") +
                            (jpeg ? "-jpeg" : "-png") + " " + quoted(source) + " " + quoted(stem));
  ASSERT_EQ(run.exit_code, 0) << run.output;
  fs::remove(source);
}

std::string page_text(const fs::path& file, int page) {
  const auto run = run_tool("pdftotext -q -enc UTF-8 -f " + std::to_string(page) + " -l " +
                            std::to_string(page) + " " + quoted(file) + " -");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  return run.output;
}

std::set<std::string> names_in(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class PdfCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = pdf_test::make_temporary_folder();
    ASSERT_FALSE(folder_.empty());
    render_text_image(folder_ / "first.png", "Searchable scans from Orvane",
                      "The quick brown fox jumps");
    render_text_image(folder_ / "second.jpg", "Second page of the document", "Invoice number 4711");
  }
  static void TearDownTestSuite() { fs::remove_all(folder_); }

  static fs::path folder_;
};

fs::path PdfCommand::folder_;

TEST_F(PdfCommand, WritesOneSearchablePageForEachImageInOrder) {
  const fs::path out = folder_ / "document.pdf";
  const auto run =
      run_tool(pdf_command(quoted(folder_ / "first.png") + " " + quoted(folder_ / "second.jpg") +
                           " -o " + quoted(out) + " -l eng"));
  ASSERT_EQ(run.exit_code, 0) << run.output;

  const auto bytes = pdf_test::read_bytes(out);
  EXPECT_TRUE(pdf::check_pdf_structure(bytes));
  EXPECT_NE(pdf_test::as_text(bytes).find("<< /Type /Pages /Count 2 /Kids [5 0 R 8 0 R] >>"),
            std::string::npos);
  const auto check = run_tool("qpdf --check " + quoted(out));
  EXPECT_EQ(check.exit_code, 0) << check.output;
  const std::string first = page_text(out, 1);
  EXPECT_NE(first.find("Searchable scans from Orvane"), std::string::npos) << first;
  EXPECT_NE(first.find("quick brown fox"), std::string::npos) << first;
  const std::string second = page_text(out, 2);
  EXPECT_NE(second.find("Second page of the document"), std::string::npos) << second;
  EXPECT_NE(second.find("4711"), std::string::npos) << second;

  struct stat info {};
  ASSERT_EQ(::stat(out.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  fs::remove(out);
}

TEST_F(PdfCommand, LeavesTextOutWhenAskedTo) {
  const fs::path out = folder_ / "images-only.pdf";
  const auto run =
      run_tool(pdf_command("--no-text -o " + quoted(out) + " " + quoted(folder_ / "first.png")));
  ASSERT_EQ(run.exit_code, 0) << run.output;
  const auto bytes = pdf_test::read_bytes(out);
  EXPECT_TRUE(pdf::check_pdf_structure(bytes));
  EXPECT_EQ(pdf_test::as_text(bytes).find("BT /F1"), std::string::npos);
  EXPECT_EQ(page_text(out, 1).find_first_not_of("\n\f "), std::string::npos);
  fs::remove(out);
}

TEST_F(PdfCommand, FailsWithoutTouchingAnExistingFile) {
  pdf_test::write_bytes(folder_ / "not-an-image.png", {'h', 'e', 'l', 'l', 'o'});
  const fs::path out = folder_ / "kept.pdf";
  const std::vector<std::uint8_t> old_content = {'o', 'l', 'd'};
  const std::string image = quoted(folder_ / "first.png");
  const struct {
    const char* name;
    std::string arguments;
    int exit_code;
  } cases[] = {
      {"image that cannot be decoded",
       image + " " + quoted(folder_ / "not-an-image.png") + " -o " + quoted(out), 1},
      {"image that does not exist", quoted(folder_ / "missing.png") + " -o " + quoted(out), 1},
      {"folder that does not exist", image + " -o " + quoted(folder_ / "gone" / "x.pdf"), 1},
      {"language that is not installed", image + " -l xyz -o " + quoted(out), 1},
      {"language that is not a code", image + " -l 'eng;rm' -o " + quoted(out), 2},
      {"no output", image, 2},
      {"no image", "-o " + quoted(out), 2},
      {"unknown option", image + " --fast -o " + quoted(out), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    pdf_test::write_bytes(out, old_content);
    const auto before = names_in(folder_);
    const auto run = run_tool(pdf_command(c.arguments));
    EXPECT_EQ(run.exit_code, c.exit_code) << run.output;
    EXPECT_NE(run.output.find("orvane-ocr pdf: "), std::string::npos) << run.output;
    EXPECT_EQ(pdf_test::read_bytes(out), old_content);
    EXPECT_EQ(names_in(folder_), before);
  }
}

}  // namespace
