#pragma once
// Base of the tests that use the real service against the private fixture.

#include <gtest/gtest.h>

#include <string>

#include "devices/system/system_service.hpp"
#include "print_service_fixture.hpp"

namespace orvane_test {

// Short limits, so a test that meets a silent server fails in seconds.
devices::SystemSettings test_settings();

class ServiceTest : public testing::Test {
 protected:
  void SetUp() override;
  // Every test leaves cupsd running: a crash of the scheduler is a failure.
  void TearDown() override;

  // The queue of that name in a fresh listing (fails the test when absent).
  devices::PrinterQueue queue_named(const std::string& name);
  // The job of that id in a fresh listing, if listed.
  std::optional<devices::PrintJob> job_with_id(const std::string& id);
  // The id of the newest job on the queue, after printing to it.
  std::string newest_job_on(const std::string& queue);

  devices::ServicePtr service_;
};

}  // namespace orvane_test
