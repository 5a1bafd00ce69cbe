// Today's date, as a port so that tests can fix it.
#pragma once

namespace chartorium {

class Clock {
 public:
  Clock() = default;
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;
  virtual ~Clock() = default;
  /// Today as a day number (day 0 = 30 December 1899).
  virtual int Today() const = 0;
};

/// The computer's local date.
class SystemClock final : public Clock {
 public:
  int Today() const override;
};

/// A clock that always gives one day.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(int today) : today_(today) {}
  int Today() const override { return today_; }

 private:
  int today_;
};

}  // namespace chartorium
