// Date, time and number-formatting built-ins, in the layouts of the script's locale.
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "vbscript/BuiltinArgs.h"
#include "vbscript/Builtins.h"
#include "vbscript/Conversion.h"
#include "vbscript/DateCalc.h"
#include "vbscript/Vm.h"

namespace chartorium::vbscript {

namespace {

std::tm LocalNow(double* fractionSeconds) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  if (fractionSeconds) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    *fractionSeconds = static_cast<double>(ms) / 1000.0;
  }
  return local;
}

double TodaySerial(const std::tm& t) {
  return SerialFromCivil(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
}

double TimeSerialOf(const std::tm& t) {
  return SerialFromTime(t.tm_hour, t.tm_min, t.tm_sec);
}

double DateArg(const Vm& vm, const Variant& v) {
  return ToDateSerial(v, vm.Locale);
}

Variant CheckedDate(double serial) {
  if (serial < MinDateSerial || serial > MaxDateSerial + 1) ThrowRuntime(5);
  return Variant::Date(serial);
}

Variant FnNow(Vm&, std::span<Variant>) {
  const std::tm t = LocalNow(nullptr);
  return Variant::Date(TodaySerial(t) + TimeSerialOf(t));
}
Variant FnDate(Vm&, std::span<Variant>) {
  return Variant::Date(TodaySerial(LocalNow(nullptr)));
}
Variant FnTime(Vm&, std::span<Variant>) {
  return Variant::Date(TimeSerialOf(LocalNow(nullptr)));
}
Variant FnTimer(Vm&, std::span<Variant>) {
  double fraction = 0;
  const std::tm t = LocalNow(&fraction);
  return Variant::Single(
      static_cast<float>(t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec + fraction));
}

Variant FnDateSerial(Vm&, std::span<Variant> a) {
  int32_t year = IntArg(a[0]);
  const int32_t month = IntArg(a[1]), day = IntArg(a[2]);
  if (year >= 0 && year < 30)
    year += 2000;
  else if (year >= 30 && year < 100)
    year += 1900;
  if (year < -10000 || year > 10000) ThrowRuntime(5);
  return CheckedDate(SerialFromCivil(year, month, day));
}

Variant FnTimeSerial(Vm&, std::span<Variant> a) {
  const double seconds = IntArg(a[0]) * 3600.0 + IntArg(a[1]) * 60.0 + IntArg(a[2]);
  return Variant::Date(seconds / 86400.0);
}

Variant FnDateValue(Vm& vm, std::span<Variant> a) {
  return Variant::Date(std::trunc(DateArg(vm, a[0])));
}

Variant FnTimeValue(Vm& vm, std::span<Variant> a) {
  const double d = DateArg(vm, a[0]);
  return Variant::Date(std::fabs(d - std::trunc(d)));
}

enum class Part { Year, Month, Day, Hour, Minute, Second };

template <Part P>
Variant FnPart(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) return a[0];
  const double d = DateArg(vm, a[0]);
  const CivilDate c = CivilFromSerial(d);
  const ClockTime t = TimeFromSerial(d);
  int value = 0;
  switch (P) {
    case Part::Year:
      value = c.Year;
      break;
    case Part::Month:
      value = c.Month;
      break;
    case Part::Day:
      value = c.Day;
      break;
    case Part::Hour:
      value = t.Hour;
      break;
    case Part::Minute:
      value = t.Minute;
      break;
    case Part::Second:
      value = t.Second;
      break;
  }
  return Variant::Integer(static_cast<int16_t>(value));
}

int FirstDayArg(std::span<Variant> a, size_t i) {
  if (i >= a.size()) return 1;
  const int32_t fdow = IntArg(a[i]);
  if (fdow < 0 || fdow > 7) ThrowRuntime(5);
  return fdow == 0 ? 1 : fdow;
}

int WeekdayWith(double serial, int fdow) {
  const long long day = static_cast<long long>(std::floor(serial));
  return static_cast<int>(((day + 6 - (fdow - 1)) % 7 + 7) % 7) + 1;
}

Variant FnWeekday(Vm& vm, std::span<Variant> a) {
  const int fdow = FirstDayArg(a, 1);
  if (a[0].IsNull()) return a[0];
  return Variant::Integer(static_cast<int16_t>(WeekdayWith(DateArg(vm, a[0]), fdow)));
}

Variant FnWeekdayName(Vm& vm, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  const bool abbreviate = a.size() > 1 && ToBoolean(a[1], vm.Locale);
  const int fdow = FirstDayArg(a, 2);
  if (n < 1 || n > 7) ThrowRuntime(5);
  return Variant::String(WeekdayNameText((n - 1 + fdow - 1) % 7 + 1, abbreviate, vm.Locale));
}

Variant FnMonthName(Vm& vm, std::span<Variant> a) {
  const int32_t n = IntArg(a[0]);
  const bool abbreviate = a.size() > 1 && ToBoolean(a[1], vm.Locale);
  if (n < 1 || n > 12) ThrowRuntime(5);
  return Variant::String(MonthNameText(n, abbreviate, vm.Locale));
}

double AddMonths(double serial, int64_t months) {
  const CivilDate c = CivilFromSerial(serial);
  const int64_t total = static_cast<int64_t>(c.Year) * 12 + (c.Month - 1) + months;
  const int year = static_cast<int>(total / 12), month = static_cast<int>(total % 12) + 1;
  const int lastDay = CivilFromSerial(SerialFromCivil(year, month + 1, 0)).Day;
  const double day = SerialFromCivil(year, month, std::min(c.Day, lastDay));
  const double time = std::fabs(serial - std::trunc(serial));
  return day < 0 ? day - time : day + time;
}

Variant FnDateAdd(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull() || a[1].IsNull()) ThrowRuntime(94);
  const std::string interval = LowerAscii(ToString(a[0]));
  const double n = std::trunc(ToDouble(a[1]));
  if (a[2].IsNull()) return a[2];
  const double d = DateArg(vm, a[2]);
  double result;
  if (interval == "yyyy")
    result = AddMonths(d, static_cast<int64_t>(n) * 12);
  else if (interval == "q")
    result = AddMonths(d, static_cast<int64_t>(n) * 3);
  else if (interval == "m")
    result = AddMonths(d, static_cast<int64_t>(n));
  else if (interval == "y" || interval == "d" || interval == "w")
    result = d + n;
  else if (interval == "ww")
    result = d + 7 * n;
  else if (interval == "h")
    result = d + n / 24;
  else if (interval == "n")
    result = d + n / 1440;
  else if (interval == "s")
    result = d + n / 86400;
  else
    ThrowRuntime(5);
  return CheckedDate(result);
}

int64_t TotalSeconds(double serial) {
  const ClockTime t = TimeFromSerial(serial);
  return static_cast<int64_t>(std::trunc(serial)) * 86400 + t.Hour * 3600 + t.Minute * 60 +
         t.Second;
}

Variant FnDateDiff(Vm& vm, std::span<Variant> a) {
  const std::string interval = LowerAscii(ToString(a[0]));
  if (a[1].IsNull() || a[2].IsNull()) return Variant::MakeNull();
  const double d1 = DateArg(vm, a[1]), d2 = DateArg(vm, a[2]);
  const int fdow = FirstDayArg(a, 3);
  const CivilDate c1 = CivilFromSerial(d1), c2 = CivilFromSerial(d2);
  const int64_t days = static_cast<int64_t>(std::floor(d2)) - static_cast<int64_t>(std::floor(d1));
  int64_t result;
  if (interval == "yyyy")
    result = c2.Year - c1.Year;
  else if (interval == "q")
    result = (c2.Year * 4 + (c2.Month - 1) / 3) - (c1.Year * 4 + (c1.Month - 1) / 3);
  else if (interval == "m")
    result = (c2.Year * 12 + c2.Month) - (c1.Year * 12 + c1.Month);
  else if (interval == "y" || interval == "d")
    result = days;
  else if (interval == "w")
    result = days / 7;
  else if (interval == "ww") {
    // Count the first-day-of-week boundaries between the two days.
    auto weekIndex = [&](double d) {
      const int64_t day = static_cast<int64_t>(std::floor(d));
      const int64_t shifted = day - (WeekdayWith(d, fdow) - 1);
      return shifted >= 0 ? shifted / 7 : (shifted - 6) / 7;
    };
    result = weekIndex(d2) - weekIndex(d1);
  } else if (interval == "h")
    result = TotalSeconds(d2) / 3600 - TotalSeconds(d1) / 3600;
  else if (interval == "n")
    result = TotalSeconds(d2) / 60 - TotalSeconds(d1) / 60;
  else if (interval == "s")
    result = TotalSeconds(d2) - TotalSeconds(d1);
  else
    ThrowRuntime(5);
  return Variant::Long(static_cast<int32_t>(result));
}

Variant FnDatePart(Vm& vm, std::span<Variant> a) {
  const std::string interval = LowerAscii(ToString(a[0]));
  if (a[1].IsNull()) return a[1];
  const double d = DateArg(vm, a[1]);
  const int fdow = FirstDayArg(a, 2);
  const CivilDate c = CivilFromSerial(d);
  const ClockTime t = TimeFromSerial(d);
  const int dayOfYear = static_cast<int>(std::floor(d) - SerialFromCivil(c.Year, 1, 1)) + 1;
  int value;
  if (interval == "yyyy")
    value = c.Year;
  else if (interval == "q")
    value = (c.Month - 1) / 3 + 1;
  else if (interval == "m")
    value = c.Month;
  else if (interval == "y")
    value = dayOfYear;
  else if (interval == "d")
    value = c.Day;
  else if (interval == "w")
    value = WeekdayWith(d, fdow);
  else if (interval == "ww") {
    const int jan1 = WeekdayWith(SerialFromCivil(c.Year, 1, 1), fdow);
    value = (dayOfYear - 1 + jan1 - 1) / 7 + 1;
  } else if (interval == "h")
    value = t.Hour;
  else if (interval == "n")
    value = t.Minute;
  else if (interval == "s")
    value = t.Second;
  else
    ThrowRuntime(5);
  return Variant::Integer(static_cast<int16_t>(value));
}

Variant FnFormatDateTime(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(13);
  const int32_t format = Given(a, 1) ? IntArg(a[1]) : 0;
  const double d = DateArg(vm, a[0]);
  switch (format) {
    case 0:
      return Variant::String(FormatDateSerial(d, vm.Locale));
    case 1:
      return Variant::String(FormatLongDate(d, vm.Locale));
    case 2:
      return Variant::String(FormatShortDate(d, vm.Locale));
    case 3:
      return Variant::String(FormatLongTime(d, vm.Locale));
    case 4: {
      const ClockTime t = TimeFromSerial(d);
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "%02d:%02d", t.Hour, t.Minute);
      return Variant::String(buffer);
    }
    default:
      ThrowRuntime(5);
  }
}

// FormatNumber and its two cousins share the digits, leading-zero, parentheses and grouping
// arguments; -2 (vbUseDefault) and missing take the locale's defaults.
std::string FormatFixed(double value, std::span<Variant> a, int defaultDigits, bool parensDefault,
                        const ScriptLocale& locale) {
  int32_t digits = Given(a, 1) ? IntArg(a[1]) : -1;
  if (digits == -1) digits = defaultDigits;
  if (digits < 0 || digits > 99) ThrowRuntime(5);
  auto tristate = [&](size_t i, bool fallback) {
    if (!Given(a, i)) return fallback;
    const int32_t v = IntArg(a[i]);
    return v == -2 ? fallback : v != 0;
  };
  const bool leading = tristate(2, locale.LeadingZero);
  const bool parens = tristate(3, parensDefault);
  const bool group = tristate(4, true);
  const double scale = std::pow(10.0, digits);
  const double rounded = std::round(std::fabs(value) * scale) / scale;
  // Written with '.', whatever the C library's locale; the script's locale comes next.
  char buffer[512];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, digits);
  if (error != std::errc()) ThrowRuntime(6);
  std::string text(buffer, end);
  const size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  std::string fraction = dot == std::string::npos ? "" : text.substr(dot);
  if (!fraction.empty()) fraction[0] = locale.DecimalSeparator;
  if (group)
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
      whole.insert(static_cast<size_t>(i), locale.ThousandsSeparator);
  if (whole == "0" && !leading && !fraction.empty()) whole.clear();
  text = whole + fraction;
  if (value < 0 && rounded != 0) text = parens ? "(" + text + ")" : "-" + text;
  return text;
}

Variant FnFormatNumber(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(13);
  const ScriptLocale& locale = vm.Locale;
  return Variant::String(
      FormatFixed(ToDouble(a[0], locale), a, locale.DigitsAfterDecimal, false, locale));
}

Variant FnFormatCurrency(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(13);
  const ScriptLocale& locale = vm.Locale;
  const double value = ToDouble(a[0], locale);
  const std::string amount = FormatFixed(std::fabs(value), a, locale.CurrencyDigits, true, locale);
  const std::string before = locale.CurrencySymbolFirst
                                 ? locale.CurrencySymbol + (locale.CurrencySymbolSpaced ? " " : "")
                                 : "";
  const std::string after = locale.CurrencySymbolFirst ? "" : " " + locale.CurrencySymbol;
  const bool zero = amount.find_first_of("123456789") == std::string::npos;
  if (value >= 0 || zero) return Variant::String(before + amount + after);
  // The argument overrides the locale's choice of parentheses; without them the minus goes
  // where the locale puts it.
  const bool localParens = locale.NegativeCurrencyLayout == NegativeCurrency::Parentheses;
  const bool parens = Given(a, 3) && IntArg(a[3]) != -2 ? IntArg(a[3]) != 0 : localParens;
  if (parens) return Variant::String("(" + before + amount + after + ")");
  if (locale.NegativeCurrencyLayout == NegativeCurrency::MinusAfterSymbol)
    return Variant::String(before + "-" + amount + after);
  return Variant::String("-" + before + amount + after);
}

Variant FnFormatPercent(Vm& vm, std::span<Variant> a) {
  if (a[0].IsNull()) ThrowRuntime(13);
  const ScriptLocale& locale = vm.Locale;
  return Variant::String(
      FormatFixed(ToDouble(a[0], locale) * 100, a, locale.DigitsAfterDecimal, false, locale) + "%");
}

constexpr BuiltinFunction Functions[] = {
    {"now", 0, 0, FnNow},
    {"date", 0, 0, FnDate},
    {"time", 0, 0, FnTime},
    {"timer", 0, 0, FnTimer},
    {"dateserial", 3, 3, FnDateSerial},
    {"timeserial", 3, 3, FnTimeSerial},
    {"datevalue", 1, 1, FnDateValue},
    {"timevalue", 1, 1, FnTimeValue},
    {"year", 1, 1, FnPart<Part::Year>},
    {"month", 1, 1, FnPart<Part::Month>},
    {"day", 1, 1, FnPart<Part::Day>},
    {"hour", 1, 1, FnPart<Part::Hour>},
    {"minute", 1, 1, FnPart<Part::Minute>},
    {"second", 1, 1, FnPart<Part::Second>},
    {"weekday", 1, 2, FnWeekday},
    {"weekdayname", 1, 3, FnWeekdayName},
    {"monthname", 1, 2, FnMonthName},
    {"dateadd", 3, 3, FnDateAdd},
    {"datediff", 3, 5, FnDateDiff},
    {"datepart", 2, 4, FnDatePart},
    {"formatdatetime", 1, 2, FnFormatDateTime},
    {"formatnumber", 1, 5, FnFormatNumber},
    {"formatcurrency", 1, 5, FnFormatCurrency},
    {"formatpercent", 1, 5, FnFormatPercent},
};

}  // namespace

std::span<const BuiltinFunction> DateTimeBuiltins() {
  return Functions;
}

}  // namespace chartorium::vbscript
