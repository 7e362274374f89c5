// The scanner's own fault statuses through the service's scan_page. The test
// backend reads its fault from its configuration, once per process, so ctest
// runs this test in processes of its own with ORVANE_FIXTURE_SANE_READ_STATUS
// set; elsewhere it skips.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "service_test.hpp"

namespace orvane_test {
namespace {

class ScanFault : public ServiceTest {};

TEST_F(ScanFault, TheScannersStatusIsTheScanError) {
  const char* status = std::getenv("ORVANE_FIXTURE_SANE_READ_STATUS");
  if (!status) GTEST_SKIP() << "needs ORVANE_FIXTURE_SANE_READ_STATUS (set by ctest)";
  const std::map<std::string, std::string> expected = {
      {"SANE_STATUS_JAMMED", "The document feeder is jammed."},
      {"SANE_STATUS_COVER_OPEN", "The scanner cover is open."},
  };
  ASSERT_TRUE(expected.count(status)) << status;
  for (const auto source : {devices::PaperSource::Flatbed, devices::PaperSource::Feeder}) {
    auto page = service_->scan_page("test:0", {150, devices::ColorMode::Color, source});
    ASSERT_FALSE(page.ok());
    EXPECT_EQ(page.error(), expected.at(status));
  }
  auto scanners = service_->scanners();
  ASSERT_TRUE(scanners.ok()) << "the scanner is still listed";
  EXPECT_EQ(scanners->size(), 1u);
}

}  // namespace
}  // namespace orvane_test
