// One service object used from several worker threads at once, as the
// application's refresh and operation workers do.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/channel.hpp"
#include "platform/worker.hpp"
#include "png_reader.hpp"
#include "sample_documents.hpp"
#include "service_test.hpp"

namespace orvane_test {
namespace {

class ConcurrentService : public ServiceTest {};

TEST_F(ConcurrentService, RefreshesPrintsAndScansRunTogether) {
  const std::string pdf = write_sample_pdf(fixture().dir() + "/together.pdf", 1);
  auto [sender, receiver] = platform::channel<std::string>();
  constexpr int kRefreshers = 4;
  constexpr int kRounds = 5;
  int started = 0;
  for (int worker = 0; worker < kRefreshers; ++worker) {
    started += platform::spawn_worker("qiro-orvane-refresh", [service = service_, sender] {
      for (int round = 0; round < kRounds; ++round) {
        auto printers = service->queues();
        auto jobs = service->jobs();
        auto scanners = service->scanners();
        if (!printers.ok() || !jobs.ok() || !scanners.ok() || printers->size() < 3 ||
            scanners->empty()) {
          sender.send("refresh failed");
          return;
        }
      }
      sender.send("");
    });
  }
  started += platform::spawn_worker("qiro-print-document", [service = service_, sender, pdf] {
    const auto printed = service->print_document("Office_laser", pdf, 1, false);
    sender.send(printed.ok() ? "" : "print failed: " + printed.error());
  });
  for (int worker = 0; worker < 2; ++worker) {
    started += platform::spawn_worker("qiro-scan-document", [service = service_, sender] {
      auto page = service->scan_page(
          "test:0", {150, devices::ColorMode::Color, devices::PaperSource::Flatbed});
      if (!page.ok()) {
        sender.send("scan failed: " + page.error());
        return;
      }
      const auto png = decode_png(page.value());
      sender.send(png.error.empty() ? "" : "bad PNG: " + png.error);
    });
  }
  ASSERT_EQ(started, kRefreshers + 3);
  for (int reply = 0; reply < started; ++reply) {
    std::optional<std::string> message;
    ASSERT_TRUE(eventually(
        [&] {
          auto received = receiver.try_recv();
          if (received.status != platform::RecvStatus::Value) return false;
          message = std::move(received.value);
          return true;
        },
        std::chrono::seconds(120)));
    EXPECT_EQ(*message, "");
  }
}

}  // namespace
}  // namespace orvane_test
