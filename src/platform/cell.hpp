#pragma once
// A shared value cell: a control writes it, the dispatcher reads it. Copies of
// a Cell share one value, so a view and the state see the same number.

#include <memory>
#include <mutex>
#include <utility>

namespace platform {

template <typename T>
class Cell {
 public:
  explicit Cell(T initial = T{}) : shared_(std::make_shared<Shared>(std::move(initial))) {}

  T get() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->value;
  }
  void set(T value) const {
    std::lock_guard lock(shared_->mutex);
    shared_->value = std::move(value);
  }
  bool same_cell(const Cell& other) const { return shared_ == other.shared_; }

 private:
  struct Shared {
    explicit Shared(T v) : value(std::move(v)) {}
    mutable std::mutex mutex;
    T value;
  };
  std::shared_ptr<Shared> shared_;
};

}  // namespace platform
