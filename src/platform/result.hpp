#pragma once
// Errors are values: a Result holds either the value or an error (by default
// a message text). Nothing in this code base reports failure by throwing
// across a thread or module boundary.

#include <string>
#include <utility>
#include <variant>

namespace platform {

struct Unit {
  friend bool operator==(const Unit&, const Unit&) = default;
};

template <typename E>
struct Err {
  E error;
};

template <typename E>
Err<std::decay_t<E>> err(E&& error) {
  return {std::forward<E>(error)};
}
inline Err<std::string> err(const char* error) { return {std::string(error)}; }

template <typename T, typename E = std::string>
class Result {
 public:
  Result(T value) : data_(std::in_place_index<0>, std::move(value)) {}  // NOLINT implicit
  template <typename F>
  Result(Err<F> error) : data_(std::in_place_index<1>, std::move(error.error)) {}  // NOLINT

  bool ok() const { return data_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() & { return std::get<0>(data_); }
  const T& value() const& { return std::get<0>(data_); }
  T&& value() && { return std::get<0>(std::move(data_)); }
  const E& error() const { return std::get<1>(data_); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  friend bool operator==(const Result&, const Result&) = default;

 private:
  std::variant<T, E> data_;
};

using Status = Result<Unit>;
inline Status ok_status() { return Unit{}; }

}  // namespace platform
