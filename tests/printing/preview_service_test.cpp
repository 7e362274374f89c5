#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <cstdint>
#include <future>
#include <random>
#include <string>

#include "printing/preview_image_service.hpp"

namespace {

using printing::PreviewCategory;

constexpr std::uint8_t code(PreviewCategory category) {
  return static_cast<std::uint8_t>(category);
}

class PreviewService : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  printing::QtPreviewImageService service;

  std::string path(const QString& name) const { return dir.filePath(name).toStdString(); }

  std::string write_bytes(const QString& name, const QByteArray& bytes) const {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path(name);
  }

  QByteArray read_bytes(const std::string& file_path) const {
    QFile file(QString::fromStdString(file_path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  }

  // Page 1 is black in its top-left quarter; later pages in the bottom-right
  // one, so a preview of the wrong page shows.
  std::string write_pdf(const QString& name, int pages,
                        QPageLayout::Orientation orientation = QPageLayout::Portrait) const {
    QPdfWriter writer(dir.filePath(name));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(orientation);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
      if (page > 1) writer.newPage();
      const int w = writer.width();
      const int h = writer.height();
      if (page == 1) {
        painter.fillRect(0, 0, w / 2, h / 2, Qt::black);
      } else {
        painter.fillRect(w / 2, h / 2, w / 2, h / 2, Qt::black);
      }
      painter.drawText(QPoint(w / 10, h * 3 / 4), QStringLiteral("Page %1").arg(page));
    }
    painter.end();
    return path(name);
  }

  std::string write_image(const QString& name, const QImage& image, const char* format) const {
    EXPECT_TRUE(image.save(dir.filePath(name), format));
    return path(name);
  }

  std::optional<devices::PreviewImage> preview_of(const std::string& file) {
    return service.generate(file, service.category_for_path(file), 720);
  }
};

// The bytes cover exactly width x height RGBA pixels, within the limit.
void expect_well_formed(const devices::PreviewImage& image, std::uint32_t limit = 720) {
  ASSERT_NE(image.pixels, nullptr);
  EXPECT_GT(image.width, 0u);
  EXPECT_GT(image.height, 0u);
  EXPECT_LE(std::max(image.width, image.height), limit);
  EXPECT_EQ(image.pixels->size(), std::size_t{image.width} * image.height * 4);
}

std::array<std::uint8_t, 4> pixel(const devices::PreviewImage& image, std::uint32_t x,
                                  std::uint32_t y) {
  const std::size_t at = (std::size_t{y} * image.width + x) * 4;
  const auto& p = *image.pixels;
  return {p[at], p[at + 1], p[at + 2], p[at + 3]};
}

bool is_dark(const std::array<std::uint8_t, 4>& p) { return p[0] < 60 && p[1] < 60 && p[2] < 60; }
bool is_white(const std::array<std::uint8_t, 4>& p) {
  return p[0] > 245 && p[1] > 245 && p[2] > 245 && p[3] == 255;
}

// Dark pixels in rows [from, to) of the picture.
int dark_pixels(const devices::PreviewImage& image, std::uint32_t from, std::uint32_t to) {
  int count = 0;
  for (std::uint32_t y = from; y < to; ++y) {
    for (std::uint32_t x = 0; x < image.width; ++x) count += is_dark(pixel(image, x, y)) ? 1 : 0;
  }
  return count;
}

std::uint32_t crc32(const QByteArray& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

QByteArray big_endian(std::uint32_t value) {
  QByteArray out(4, '\0');
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
  return out;
}

QByteArray png_chunk(const QByteArray& type, const QByteArray& data) {
  return big_endian(static_cast<std::uint32_t>(data.size())) + type + data +
         big_endian(crc32(type + data));
}

// A well-formed PNG start that claims 20000 x 20000 RGBA pixels (1.6 GB),
// followed by a little real image data.
QByteArray huge_png_header() {
  QByteArray header;
  header += big_endian(20000);
  header += big_endian(20000);
  header += QByteArray("\x08\x06\x00\x00\x00", 5);
  const QByteArray rows = qCompress(QByteArray(80001 * 4, '\0')).mid(4);
  return QByteArray("\x89PNG\r\n\x1a\n", 8) + png_chunk("IHDR", header) + png_chunk("IDAT", rows) +
         png_chunk("IEND", {});
}

QByteArray random_bytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 generator(seed);
  QByteArray out(static_cast<qsizetype>(count), '\0');
  for (auto& c : out) c = static_cast<char>(generator() & 0xFF);
  return out;
}

TEST_F(PreviewService, CategoryComesFromTheContentNotTheName) {
  const std::string pdf = write_pdf("doc.pdf", 1);
  QImage red(8, 8, QImage::Format_RGB32);
  red.fill(Qt::red);
  struct Case {
    std::string name;
    std::string file;
    PreviewCategory category;
  };
  const Case cases[] = {
      {"pdf", pdf, PreviewCategory::Pdf},
      {"pdf without extension", write_bytes("report", read_bytes(pdf)), PreviewCategory::Pdf},
      {"png named .txt", write_image("picture.txt", red, "PNG"), PreviewCategory::Image},
      {"jpeg", write_image("photo.jpg", red, "JPEG"), PreviewCategory::Image},
      {"bmp", write_image("scan.bmp", red, "BMP"), PreviewCategory::Image},
      {"text named .pdf", write_bytes("notes.pdf", "Shopping list\nMilk\n"), PreviewCategory::Text},
      {"utf-8 text", write_bytes("notes", "Grüße aus Köln\n"), PreviewCategory::Text},
      {"postscript", write_bytes("page.ps", "%!PS-Adobe-3.0\n%%Pages: 1\nshowpage\n"),
       PreviewCategory::Other},
      {"binary named .txt", write_bytes("data.txt", random_bytes(4096, 7)), PreviewCategory::Other},
      {"empty", write_bytes("empty.txt", {}), PreviewCategory::Other},
      {"missing", path("missing.pdf"), PreviewCategory::Other},
      {"directory", dir.path().toStdString(), PreviewCategory::Other},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(service.category_for_path(c.file), code(c.category));
  }
}

TEST_F(PreviewService, PdfShowsItsFirstPageWithinTheLimit) {
  const auto portrait = preview_of(write_pdf("one.pdf", 1));
  ASSERT_TRUE(portrait.has_value());
  expect_well_formed(*portrait);
  EXPECT_EQ(portrait->height, 720u);
  EXPECT_NEAR(portrait->width, 720.0 * 210 / 297, 1.5);
  EXPECT_TRUE(is_dark(pixel(*portrait, portrait->width / 4, portrait->height / 4)));
  EXPECT_TRUE(is_white(pixel(*portrait, portrait->width * 3 / 4, portrait->height / 4)));

  const auto twelve = preview_of(write_pdf("twelve.pdf", 12));
  ASSERT_TRUE(twelve.has_value());
  EXPECT_TRUE(is_dark(pixel(*twelve, twelve->width / 4, twelve->height / 4)));
  EXPECT_TRUE(is_white(pixel(*twelve, twelve->width * 3 / 4, twelve->height * 3 / 4)))
      << "only page 1 is shown";

  const auto landscape = preview_of(write_pdf("wide.pdf", 1, QPageLayout::Landscape));
  ASSERT_TRUE(landscape.has_value());
  EXPECT_EQ(landscape->width, 720u);
  EXPECT_NEAR(landscape->height, 720.0 * 210 / 297, 1.5);
}

TEST_F(PreviewService, ImagesAreScaledDownToFitButNeverUp) {
  QImage red(1000, 500, QImage::Format_RGB32);
  red.fill(QColor(255, 0, 0));
  QImage photo(4000, 3000, QImage::Format_RGB32);
  photo.fill(QColor(0, 0, 255));
  QImage tiny(10, 20, QImage::Format_RGB32);
  tiny.fill(QColor(0, 128, 0));
  QImage clear(30, 30, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  QImage tall(50, 3000, QImage::Format_RGB32);
  tall.fill(Qt::black);

  struct Case {
    std::string name;
    std::string file;
    std::uint32_t width;
    std::uint32_t height;
    std::array<std::uint8_t, 4> colour;
  };
  const Case cases[] = {
      {"png", write_image("red.png", red, "PNG"), 720, 360, {255, 0, 0, 255}},
      {"jpeg 4000x3000", write_image("photo.jpg", photo, "JPEG"), 720, 540, {0, 0, 255, 255}},
      {"small png", write_image("tiny.png", tiny, "PNG"), 10, 20, {0, 128, 0, 255}},
      {"transparent on paper",
       write_image("clear.png", clear, "PNG"),
       30,
       30,
       {255, 255, 255, 255}},
      {"tall strip", write_image("tall.png", tall, "PNG"), 12, 720, {0, 0, 0, 255}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto image = preview_of(c.file);
    ASSERT_TRUE(image.has_value());
    expect_well_formed(*image);
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height);
    const auto centre = pixel(*image, image->width / 2, image->height / 2);
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(centre[k], c.colour[k], 3) << "channel " << k;
  }
}

TEST_F(PreviewService, APhotoTakenSidewaysIsShownUpright) {
  // Left half red, right half blue, stored landscape with the orientation
  // "rotate 90 degrees" in its EXIF data, as cameras write it.
  QImage stored(1600, 800, QImage::Format_RGB32);
  stored.fill(Qt::blue);
  QPainter painter(&stored);
  painter.fillRect(0, 0, 800, 800, Qt::red);
  painter.end();
  QImageWriter writer(dir.filePath("sideways.jpg"), "jpeg");
  writer.setTransformation(QImageIOHandler::TransformationRotate90);
  ASSERT_TRUE(writer.write(stored));

  const auto image = preview_of(path("sideways.jpg"));
  ASSERT_TRUE(image.has_value());
  expect_well_formed(*image);
  EXPECT_EQ(image->width, 360u);
  EXPECT_EQ(image->height, 720u);
  const auto top = pixel(*image, 180, 90);
  const auto bottom = pixel(*image, 180, 630);
  EXPECT_GT(top[0], 200) << "the stored left half is on top after the turn";
  EXPECT_GT(bottom[2], 200);
}

TEST_F(PreviewService, TextIsDrawnOnAWhitePage) {
  const auto short_text = preview_of(write_bytes("notes.txt", "Shopping list\n\tMilk\nBread\n"));
  ASSERT_TRUE(short_text.has_value());
  expect_well_formed(*short_text);
  EXPECT_EQ(short_text->height, 720u);
  EXPECT_NEAR(short_text->width, 720.0 * 210 / 297, 1.0);
  EXPECT_GT(dark_pixels(*short_text, 0, 720 / 5), 20) << "the first lines are drawn";
  EXPECT_EQ(dark_pixels(*short_text, 720 / 2, 720), 0);
  EXPECT_TRUE(is_white(pixel(*short_text, short_text->width - 1, 719)));

  QByteArray many_lines;
  for (int i = 0; i < 500; ++i) many_lines += "A line of text that goes on and on and on\n";
  const auto long_text = preview_of(write_bytes("long.txt", many_lines));
  ASSERT_TRUE(long_text.has_value());
  EXPECT_GT(dark_pixels(*long_text, 720 / 2, 720), 0) << "a full page of lines";
  EXPECT_EQ(dark_pixels(*long_text, 720 - 720 / 40, 720), 0) << "the bottom margin stays white";

  const auto latin1 = preview_of(write_bytes("latin.txt", "caf\xe9 cr\xe8me br\xfbl\xe9\x65\n"));
  ASSERT_TRUE(latin1.has_value()) << "not UTF-8, but still plain text";
  EXPECT_GT(dark_pixels(*latin1, 0, 720 / 5), 0);
}

TEST_F(PreviewService, TheLimitIsKeptAndCappedAt720) {
  const std::string pdf = write_pdf("one.pdf", 1);
  QImage photo(1600, 1200, QImage::Format_RGB32);
  photo.fill(Qt::gray);
  const std::string jpeg = write_image("photo.jpg", photo, "JPEG");
  const std::string text = write_bytes("notes.txt", "hello\n");
  for (const auto& file : {pdf, jpeg, text}) {
    SCOPED_TRACE(file);
    const std::uint8_t category = service.category_for_path(file);
    const auto small = service.generate(file, category, 100);
    ASSERT_TRUE(small.has_value());
    expect_well_formed(*small, 100);
    EXPECT_EQ(std::max(small->width, small->height), 100u);
    const auto capped = service.generate(file, category, 5000);
    ASSERT_TRUE(capped.has_value());
    EXPECT_EQ(std::max(capped->width, capped->height), 720u);
    EXPECT_FALSE(service.generate(file, category, 0).has_value());
    EXPECT_FALSE(service.generate(file, code(PreviewCategory::Other), 720).has_value());
    EXPECT_FALSE(service.generate(file, 200, 720).has_value()) << "an unknown category";
  }
}

TEST_F(PreviewService, BadInputGivesNoPictureAndNeverCrashes) {
  const QByteArray pdf = read_bytes(write_pdf("whole.pdf", 3));
  struct Case {
    std::string name;
    std::string file;
    bool readable_as_text = false;  // the text renderer may show it when told to
  };
  const Case cases[] = {
      {"missing file", path("nowhere.pdf")},
      {"empty file", write_bytes("empty.pdf", {})},
      {"pdf cut early", write_bytes("early.pdf", pdf.left(pdf.size() / 8))},
      {"pdf cut late", write_bytes("late.pdf", pdf.left(pdf.size() * 9 / 10))},
      {"pdf header only", write_bytes("header.pdf", "%PDF-1.7\n%\xe2\xe3\xcf\xd3\n"), true},
      {"encrypted pdf", std::string(PRINTING_TEST_DATA) + "/encrypted.pdf"},
      {"20000 x 20000 png header", write_bytes("huge.png", huge_png_header())},
      {"truncated png", write_bytes("cut.png", huge_png_header().left(40))},
      {"binary named .txt", write_bytes("data.txt", random_bytes(8192, 11))},
      {"text with control characters", write_bytes("esc.txt", "page\f\x1b[1mbold\x1b[0m\n")},
      {"text with nul", write_bytes("nul.txt", QByteArray("abc\0def\n", 8))},
      {"directory", dir.path().toStdString()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(preview_of(c.file).has_value());
    for (const auto category :
         {PreviewCategory::Pdf, PreviewCategory::Image, PreviewCategory::Text}) {
      if (c.readable_as_text && category == PreviewCategory::Text) continue;
      EXPECT_FALSE(service.generate(c.file, code(category), 720).has_value())
          << "as category " << static_cast<int>(code(category));
    }
  }
}

TEST_F(PreviewService, ANamedPipeDoesNotStallTheWorker) {
  const std::string fifo = path("pipe.pdf");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto done = std::async(std::launch::async, [&] {
    printing::QtPreviewImageService own;
    const std::uint8_t category = own.category_for_path(fifo);
    return std::make_pair(category, own.generate(fifo, code(PreviewCategory::Pdf), 720));
  });
  ASSERT_EQ(done.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  const auto [category, image] = done.get();
  EXPECT_EQ(category, code(PreviewCategory::Other));
  EXPECT_FALSE(image.has_value());
}

TEST_F(PreviewService, WorksFromSeveralThreadsAtOnce) {
  const std::string pdf = write_pdf("one.pdf", 1);
  QImage photo(900, 600, QImage::Format_RGB32);
  photo.fill(Qt::darkCyan);
  const std::string png = write_image("photo.png", photo, "PNG");
  const std::string text = write_bytes("notes.txt", "hello\nworld\n");
  std::vector<std::future<bool>> runs;
  for (int i = 0; i < 6; ++i) {
    const std::string file = i % 3 == 0 ? pdf : i % 3 == 1 ? png : text;
    runs.push_back(std::async(std::launch::async, [&service = service, file] {
      for (int k = 0; k < 5; ++k) {
        const auto image = service.generate(file, service.category_for_path(file), 720);
        if (!image || image->pixels->size() != std::size_t{image->width} * image->height * 4) {
          return false;
        }
      }
      return true;
    }));
  }
  for (auto& run : runs) EXPECT_TRUE(run.get());
}

}  // namespace
