// Errors as values: every engine call that a user or a file can make fail
// returns a Status or a Result<T>, never throws.
#pragma once

#include <cassert>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace chartorium {

enum class StatusCode { Ok, NotFound, Corruption, IoError, InvalidArgument, Cancelled };

/// Ok, or a code with a message in the program's words. Ok costs one null pointer.
class [[nodiscard]] Status {
 public:
  Status() = default;

  static Status Ok() { return {}; }
  static Status NotFound(std::string_view message) { return {StatusCode::NotFound, message}; }
  static Status Corruption(std::string_view message) { return {StatusCode::Corruption, message}; }
  static Status IoError(std::string_view message) { return {StatusCode::IoError, message}; }
  static Status InvalidArgument(std::string_view message) {
    return {StatusCode::InvalidArgument, message};
  }
  static Status Cancelled(std::string_view message) { return {StatusCode::Cancelled, message}; }

  bool ok() const { return state_ == nullptr; }
  explicit operator bool() const { return ok(); }
  StatusCode code() const { return state_ ? state_->code : StatusCode::Ok; }
  /// The message; empty for Ok. Valid while this Status (or a copy) lives.
  std::string_view message() const {
    return state_ ? std::string_view(state_->message) : std::string_view();
  }

 private:
  struct State {
    StatusCode code;
    std::string message;
  };
  Status(StatusCode code, std::string_view message)
      : state_(std::make_shared<const State>(State{code, std::string(message)})) {}

  std::shared_ptr<const State> state_;
};

/// A value, or the Status that says why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
  Result(Status status) : status_(std::move(status)) {
    assert(!status_.ok() && "a Result without a value needs an error status");
  }

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const Status& status() const { return status_; }

  /// The value, or `fallback` when there is none.
  T value_or(T fallback) const& { return value_ ? *value_ : std::move(fallback); }
  const T& value() const& { return *value_; }
  T& value() & { return *value_; }
  T&& value() && { return std::move(*value_); }
  const T& operator*() const& { return *value_; }
  T& operator*() & { return *value_; }
  const T* operator->() const { return &*value_; }
  T* operator->() { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace chartorium
