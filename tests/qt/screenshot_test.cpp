// Screenshots of the same tree are identical, byte for byte.

#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "qt/host.hpp"
#include "tree.hpp"

namespace qthost {
namespace {

using namespace qthost::testing;

ui::WidgetPtr loading_page(const std::string& title) {
  auto bar = make<ui::ProgressBar>();
  bar->label = "Loading Orvane";
  auto card = make<ui::Card>();
  card->title = "Getting things ready";
  card->content = column(text("Looking for printers, scanners, and unfinished documents."), gap(16),
                         std::move(bar));
  auto copies = make<ui::NumberInput>();
  copies->id = "orvane.print.copies";
  copies->min = 1;
  copies->max = 99;
  return page_frame(column(text(title, true), gap(16), std::move(card), std::move(copies)), 1120);
}

QByteArray file_bytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

TEST(Screenshot, TheSameTreeGivesTheSameBytes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString first = dir.filePath("first.png");
  const QString second = dir.filePath("second.png");
  const QString other = dir.filePath("other.png");
  ASSERT_TRUE(
      render_offscreen(std::make_unique<TestRoot>(loading_page("Orvane")), {900, 600}, first));
  // Time passes between the shots; the busy bar must not move.
  QTest::qWait(120);
  ASSERT_TRUE(
      render_offscreen(std::make_unique<TestRoot>(loading_page("Orvane")), {900, 600}, second));
  ASSERT_TRUE(
      render_offscreen(std::make_unique<TestRoot>(loading_page("Orvane!")), {900, 600}, other));
  const QByteArray a = file_bytes(first);
  ASSERT_GT(a.size(), 1000);
  EXPECT_EQ(a, file_bytes(second));
  EXPECT_NE(a, file_bytes(other));

  const QImage image(first);
  EXPECT_EQ(image.size(), QSize(900, 600));
}

TEST(Screenshot, FrozenAnimationsStandStillBetweenGrabs) {
  for (bool frozen : {true, false}) {
    HostOptions options;
    options.frozen = frozen;
    HostWindow window(std::make_unique<TestRoot>(loading_page("Orvane")), options);
    window.resize(500, 300);
    window.show();
    QTest::qWait(20);  // the first layout and the first update
    const QImage first = window.grab().toImage();
    if (frozen) {
      QTest::qWait(200);
      EXPECT_EQ(first, window.grab().toImage());
    } else {
      EXPECT_TRUE(wait_until([&] { return window.grab().toImage() != first; }))
          << "the busy bar should move while not frozen";
    }
  }
}

TEST(Screenshot, AnUnwritablePathIsAnError) {
  auto status = render_offscreen(std::make_unique<TestRoot>(loading_page("Orvane")), {300, 200},
                                 "/nonexistent-folder/shot.png");
  ASSERT_FALSE(status);
  EXPECT_NE(status.error().find("/nonexistent-folder/shot.png"), std::string::npos);
}

}  // namespace
}  // namespace qthost
