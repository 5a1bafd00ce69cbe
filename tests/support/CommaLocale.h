// A C library locale that writes "1,5", for the tests that check numbers never follow it.
// REQUIRES: the test target calls chartorium_comma_locale() in CMake, which builds the locale
// and defines CHARTORIUM_TEST_LOCALES.
#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

namespace chartorium::testing {

/// The locale the build makes for the tests (chartorium_comma_locale in CMake).
inline constexpr const char* CommaLocaleName = "de_DE.UTF-8";

/// Lets the C library, of this process and of those it starts, find the tests' locales.
inline void FindTestLocales() {
  ::setenv("LOCPATH", CHARTORIUM_TEST_LOCALES, 1);
}

/// Switches this process's C library locale to the comma locale while it lives.
class ScopedCommaLocale {
 public:
  ScopedCommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
    FindTestLocales();
    active_ = std::setlocale(LC_ALL, CommaLocaleName) != nullptr &&
              std::string(std::localeconv()->decimal_point) == ",";
  }
  ~ScopedCommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  ScopedCommaLocale(const ScopedCommaLocale&) = delete;
  ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

  /// False when the locale could not be loaded (the build makes it with localedef from the
  /// Debian package "locales", which tools/setup installs).
  bool Active() const { return active_; }

 private:
  std::string saved_;
  bool active_ = false;
};

}  // namespace chartorium::testing
