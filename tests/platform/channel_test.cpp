#include "platform/channel.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace {

using platform::RecvStatus;

TEST(Channel, DeliversInOrderThenReportsEmptyAndDisconnected) {
  auto [sender, receiver] = platform::channel<int>();
  EXPECT_EQ(receiver.try_recv().status, RecvStatus::Empty);
  EXPECT_TRUE(sender.send(1));
  EXPECT_TRUE(sender.send(2));
  EXPECT_EQ(receiver.try_take(), 1);
  EXPECT_EQ(receiver.try_take(), 2);
  EXPECT_EQ(receiver.try_recv().status, RecvStatus::Empty);
  { auto drop = std::move(sender); }
  EXPECT_EQ(receiver.try_recv().status, RecvStatus::Disconnected);
}

TEST(Channel, ValuesSentBeforeDisconnectAreStillDelivered) {
  auto [sender, receiver] = platform::channel<std::string>();
  sender.send("last words");
  { auto drop = std::move(sender); }
  auto first = receiver.try_recv();
  EXPECT_EQ(first.status, RecvStatus::Value);
  EXPECT_EQ(first.value, "last words");
  EXPECT_EQ(receiver.try_recv().status, RecvStatus::Disconnected);
}

TEST(Channel, ClonesKeepTheChannelOpenUntilTheLastIsGone) {
  auto [sender, receiver] = platform::channel<int>();
  auto clone = sender;
  { auto drop = std::move(sender); }
  EXPECT_EQ(receiver.try_recv().status, RecvStatus::Empty);
  clone.send(7);
  EXPECT_EQ(receiver.try_take(), 7);
}

TEST(Channel, SendAfterReceiverIsGoneFailsQuietlyAndDropsTheValue) {
  auto [sender, receiver] = platform::channel<std::shared_ptr<int>>();
  auto payload = std::make_shared<int>(5);
  sender.send(payload);
  { auto drop = std::move(receiver); }
  EXPECT_EQ(payload.use_count(), 1) << "queued values must be released with the receiver";
  EXPECT_FALSE(sender.send(payload));
  EXPECT_FALSE(sender.connected());
}

TEST(Channel, ManyProducersLoseNothing) {
  auto [sender, receiver] = platform::channel<int>();
  constexpr int kThreads = 4;
  constexpr int kEach = 2000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([s = sender, t] {
      for (int i = 0; i < kEach; ++i) s.send(t * kEach + i);
    });
  }
  { auto drop = std::move(sender); }
  std::vector<int> seen(kThreads * kEach, 0);
  int received = 0;
  while (auto value = receiver.recv()) {
    ++seen[*value];
    ++received;
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(received, kThreads * kEach);
  for (int count : seen) ASSERT_EQ(count, 1);
}

}  // namespace
