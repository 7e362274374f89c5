#include "platform/worker.hpp"

#include <gtest/gtest.h>
#include <pthread.h>

#include "platform/channel.hpp"

namespace {

TEST(Worker, RunsUnderItsFullNameAndGivesTheOsFifteenBytes) {
  platform::clear_started_workers();
  auto [sender, receiver] = platform::channel<std::pair<std::string, std::string>>();
  ASSERT_TRUE(platform::spawn_worker("qiro-recognize-scanned-page", [s = sender] {
    char os_name[32] = {};
    pthread_getname_np(pthread_self(), os_name, sizeof os_name);
    s.send({platform::current_worker_name(), os_name});
  }));
  { auto drop = std::move(sender); }
  auto names = receiver.recv();
  ASSERT_TRUE(names);
  EXPECT_EQ(names->first, "qiro-recognize-scanned-page");
  EXPECT_EQ(names->second, "qiro-recognize-");
  EXPECT_EQ(platform::started_workers(), std::vector<std::string>{"qiro-recognize-scanned-page"});
}

TEST(Worker, AFailedStartDropsTheWorkWithoutRunningIt) {
  auto [sender, receiver] = platform::channel<int>();
  platform::set_worker_spawn_failure_for_tests(true);
  const bool started = platform::spawn_worker("qiro-orvane-refresh", [s = sender] { s.send(1); });
  platform::set_worker_spawn_failure_for_tests(false);
  EXPECT_FALSE(started);
  { auto drop = std::move(sender); }
  EXPECT_EQ(receiver.try_recv().status, platform::RecvStatus::Disconnected);
}

}  // namespace
