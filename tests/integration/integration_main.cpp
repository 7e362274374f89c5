// The integration tests start their own print and scan service once per
// process and stop it at the end; they need root (cupsd, avahi and a private
// network namespace), and skip with the reason otherwise.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "network_isolation.hpp"
#include "print_service_fixture.hpp"

namespace {

std::string isolation_problem;

class PrintServiceEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (geteuid() != 0) {
      GTEST_SKIP() << "The integration tests run cupsd, avahi and IPP printers of their own, "
                      "which needs root; run them as root (CI does).";
    }
    if (!isolation_problem.empty()) {
      std::fprintf(stderr, "running without a private network: %s\n", isolation_problem.c_str());
    }
    std::string why;
    ASSERT_TRUE(orvane_test::fixture().start(why)) << why;
  }
  void TearDown() override { orvane_test::fixture().stop(); }
};

bool listing_only(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--gtest_list_tests", 18) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Must come first: a process can only enter a new namespace while it has a
  // single thread.
  if (!listing_only(argc, argv) && geteuid() == 0) {
    orvane_test::isolate_network(isolation_problem);
  }
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new PrintServiceEnvironment);
  return RUN_ALL_TESTS();
}
