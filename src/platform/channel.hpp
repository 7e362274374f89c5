#pragma once
// An unbounded multi-producer, single-consumer channel with non-blocking
// receive. Senders are cheap to clone; once every sender is gone the receiver
// sees Disconnected after draining, and once the receiver is gone every send
// fails quietly, which is how an abandoned worker's result is discarded.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/wake.hpp"

namespace platform {

enum class RecvStatus { Value, Empty, Disconnected };

template <typename T>
struct TryRecv {
  RecvStatus status = RecvStatus::Empty;
  std::optional<T> value;
};

namespace detail {
template <typename T>
struct ChannelState {
  std::mutex mutex;
  std::condition_variable ready;
  std::deque<T> queue;
  std::size_t senders = 0;
  bool receiver_alive = true;
};
}  // namespace detail

template <typename T>
class Sender {
 public:
  Sender() = default;
  explicit Sender(std::shared_ptr<detail::ChannelState<T>> state) : state_(std::move(state)) {
    if (state_) {
      std::lock_guard lock(state_->mutex);
      ++state_->senders;
    }
  }
  Sender(const Sender& other) : Sender(other.state_) {}
  Sender(Sender&& other) noexcept : state_(std::move(other.state_)) {}
  Sender& operator=(Sender other) noexcept {
    std::swap(state_, other.state_);
    return *this;
  }
  ~Sender() { release(); }

  // False when the receiver is gone (or this sender is empty).
  bool send(T value) const {
    if (!state_) return false;
    {
      std::lock_guard lock(state_->mutex);
      if (!state_->receiver_alive) return false;
      state_->queue.push_back(std::move(value));
    }
    state_->ready.notify_one();
    wake_ui();
    return true;
  }

  bool connected() const {
    if (!state_) return false;
    std::lock_guard lock(state_->mutex);
    return state_->receiver_alive;
  }

  explicit operator bool() const { return static_cast<bool>(state_); }

 private:
  void release() {
    if (!state_) return;
    {
      std::lock_guard lock(state_->mutex);
      --state_->senders;
    }
    state_->ready.notify_all();
    wake_ui();
    state_.reset();
  }
  std::shared_ptr<detail::ChannelState<T>> state_;
};

template <typename T>
class Receiver {
 public:
  Receiver() = default;
  explicit Receiver(std::shared_ptr<detail::ChannelState<T>> state) : state_(std::move(state)) {}
  Receiver(const Receiver&) = delete;
  Receiver& operator=(const Receiver&) = delete;
  Receiver(Receiver&& other) noexcept : state_(std::move(other.state_)) {}
  Receiver& operator=(Receiver&& other) noexcept {
    if (this != &other) {
      close();
      state_ = std::move(other.state_);
    }
    return *this;
  }
  ~Receiver() { close(); }

  TryRecv<T> try_recv() {
    TryRecv<T> out;
    if (!state_) {
      out.status = RecvStatus::Disconnected;
      return out;
    }
    std::lock_guard lock(state_->mutex);
    if (!state_->queue.empty()) {
      out.status = RecvStatus::Value;
      out.value.emplace(std::move(state_->queue.front()));
      state_->queue.pop_front();
    } else if (state_->senders == 0) {
      out.status = RecvStatus::Disconnected;
    }
    return out;
  }

  // Convenience for callers that treat "nothing now" and "nothing ever" alike.
  std::optional<T> try_take() { return try_recv().value; }

  // Blocking receive, for workers' own tests and command-line tools only; the
  // UI thread never calls it.
  std::optional<T> recv() {
    if (!state_) return std::nullopt;
    std::unique_lock lock(state_->mutex);
    state_->ready.wait(lock, [&] { return !state_->queue.empty() || state_->senders == 0; });
    if (state_->queue.empty()) return std::nullopt;
    T value = std::move(state_->queue.front());
    state_->queue.pop_front();
    return value;
  }

  template <typename Rep, typename Period>
  std::optional<T> recv_for(std::chrono::duration<Rep, Period> timeout) {
    if (!state_) return std::nullopt;
    std::unique_lock lock(state_->mutex);
    state_->ready.wait_for(lock, timeout,
                           [&] { return !state_->queue.empty() || state_->senders == 0; });
    if (state_->queue.empty()) return std::nullopt;
    T value = std::move(state_->queue.front());
    state_->queue.pop_front();
    return value;
  }

  explicit operator bool() const { return static_cast<bool>(state_); }

 private:
  void close() {
    if (!state_) return;
    std::deque<T> dropped;  // destroyed outside the lock
    {
      std::lock_guard lock(state_->mutex);
      state_->receiver_alive = false;
      dropped.swap(state_->queue);
    }
    state_.reset();
  }
  std::shared_ptr<detail::ChannelState<T>> state_;
};

template <typename T>
std::pair<Sender<T>, Receiver<T>> channel() {
  auto state = std::make_shared<detail::ChannelState<T>>();
  Sender<T> sender(state);
  Receiver<T> receiver(state);
  return {std::move(sender), std::move(receiver)};
}

// A channel that carries a single result (a refresh, a preview, a picker
// outcome). It is the same channel; the name documents the intent.
template <typename T>
std::pair<Sender<T>, Receiver<T>> oneshot() {
  return channel<T>();
}

}  // namespace platform
