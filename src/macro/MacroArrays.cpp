// The macro object's array functions (moving functions, shifts, arithmetic)
// and the custom indicator output (values, levels, colour, histogram).
#include <algorithm>
#include <cmath>
#include <vector>

#include "macro/MacroCall.h"
#include "vbscript/Conversion.h"

namespace chartorium {

using vbscript::Variant;

namespace {

// An array lo..hi whose elements are set from `values` (index i at i - lo).
Variant MakeArray(int lo, const std::vector<Extended>& values) {
  Variant array = Variant::NewArray(lo, lo + static_cast<int>(values.size()) - 1);
  std::vector<Variant>& data = array.MutableArray().Data;
  for (std::size_t i = 0; i < values.size(); ++i) {
    data[i] = Variant::Double(static_cast<double>(values[i]));
  }
  return array;
}

// The elements of an array as numbers, converted once: the moving functions
// read every element many times.
class Numbers {
 public:
  explicit Numbers(const ArrayArg& array) : lo_(array.Lo()), hi_(array.Hi()) {
    values_.reserve(static_cast<std::size_t>(std::max(hi_ - lo_ + 1, 0)));
    for (int i = lo_; i <= hi_; ++i) values_.push_back(array.At(i));
  }
  int Lo() const { return lo_; }
  int Hi() const { return hi_; }
  /// REQUIRES: Lo() <= i <= Hi().
  Extended At(int i) const { return values_[static_cast<std::size_t>(i - lo_)]; }

 private:
  int lo_;
  int hi_;
  std::vector<Extended> values_;
};

// Index of the first non-zero element from `from` on; hi + 1 when there is none.
int FirstNonZero(const Numbers& array, int from) {
  int f = std::max(from, array.Lo());
  while (f <= array.Hi() && array.At(f) == 0) ++f;
  return f;
}

// SMA, EMA and WMA: results 1..high bound of the input, warm-up zeros skipped.
void Average(MacroCall& call) {
  const Numbers a{ArrayArg(call.Arg(0))};
  const int n = call.Whole(1);
  const int hi = a.Hi();
  std::vector<Extended> result(static_cast<std::size_t>(std::max(hi, 0)), 0);
  auto at = [&](int i) -> Extended& { return result[static_cast<std::size_t>(i - 1)]; };
  const int f = FirstNonZero(a, 1);
  if (call.Method == MacroMethod::EMA) {
    if (f <= hi) {
      const Extended k = Extended(2) / (std::abs(n) + 1);
      at(f) = a.At(f);
      for (int j = f + 1; j <= hi; ++j) at(j) = at(j - 1) * (1 - k) + a.At(j) * k;
    }
  } else if (n >= 1) {
    const bool weighted = call.Method == MacroMethod::WMA;
    const Extended weights = Extended(n) * (n + 1) / 2;
    for (int i = std::max(f + n - 1, 1); i <= hi; ++i) {
      Extended sum = 0;
      if (weighted) {
        for (int j = 1; j <= n; ++j) sum += j * a.At(i - n + j);
        at(i) = sum / weights;
      } else {
        for (int j = 1; j <= n; ++j) sum += a.At(i - n + j);
        at(i) = sum / n;
      }
    }
  }
  call.Result = MakeArray(1, result);
}

// StdDev, Slope and LinReg over windows x = 1..n; results 1..2001.
void Regression(MacroCall& call) {
  const Numbers a{ArrayArg(call.Arg(0))};
  const int n = call.Whole(1);
  std::vector<Extended> result(MaxQuotes, 0);
  if (n >= 2) {
    const int last = std::min(a.Hi(), MaxQuotes);
    for (int i = std::max(FirstNonZero(a, a.Lo()) + n - 1, 1); i <= last; ++i) {
      Extended sy = 0;
      Extended sxy = 0;
      Extended sxx = 0;
      for (int x = 1; x <= n; ++x) {
        const Extended y = a.At(i - n + x);
        sy += y;
        sxy += x * y;
        sxx += Extended(x) * x;
      }
      const Extended meanX = Extended(n + 1) / 2;
      const Extended meanY = sy / n;
      Extended value = 0;
      if (call.Method == MacroMethod::StdDev) {
        Extended squares = 0;
        for (int x = 1; x <= n; ++x) {
          const Extended d = a.At(i - n + x) - meanY;
          squares += d * d;
        }
        value = std::sqrt(squares / n);
      } else {
        const Extended b = (sxy - n * meanX * meanY) / (sxx - n * meanX * meanX);
        value = call.Method == MacroMethod::Slope ? b : n * b + (meanY - b * meanX);
      }
      result[static_cast<std::size_t>(i - 1)] = value;
    }
  }
  call.Result = MakeArray(1, result);
}

void Corr(MacroCall& call) {
  const Numbers x{ArrayArg(call.Arg(0))};
  const Numbers y{ArrayArg(call.Arg(1))};
  const int n = call.Whole(2);
  std::vector<Extended> result(MaxQuotes, 0);
  if (n >= 2) {
    const int lo = std::max(x.Lo(), y.Lo());
    const int hi = std::min({x.Hi(), y.Hi(), MaxQuotes});
    int f = lo;
    while (f <= hi && x.At(f) == 0) ++f;
    for (int i = std::max(f + n - 1, 1); i <= hi; ++i) {
      if (i - n + 1 < lo) continue;
      Extended sx = 0;
      Extended sy = 0;
      Extended sxy = 0;
      Extended sxx = 0;
      Extended syy = 0;
      for (int j = i - n + 1; j <= i; ++j) {
        const Extended xv = x.At(j);
        const Extended yv = y.At(j);
        sx += xv;
        sy += yv;
        sxy += xv * yv;
        sxx += xv * xv;
        syy += yv * yv;
      }
      if (sxx * syy > 0) {
        result[static_cast<std::size_t>(i - 1)] =
            (n * sxy - sx * sy) / std::sqrt((n * sxx - sx * sx) * (n * syy - sy * sy));
      }
    }
  }
  call.Result = MakeArray(1, result);
}

void Shift(MacroCall& call) {
  const ArrayArg a(call.Arg(0));
  const int n = std::abs(call.Whole(1));
  std::vector<Extended> result(static_cast<std::size_t>(std::max(a.Hi() - a.Lo() + 1, 0)), 0);
  for (int i = a.Lo() + n; i <= a.Hi(); ++i) {
    result[static_cast<std::size_t>(i - a.Lo())] = a.At(i - n);
  }
  call.Result = MakeArray(a.Lo(), result);
}

Extended Combine(MacroMethod method, Extended x, Extended y) {
  switch (method) {
    case MacroMethod::Add:
      return x + y;
    case MacroMethod::Substract:
      return x - y;
    case MacroMethod::Multiply:
      return x * y;
    default:
      return y != 0 ? x / y : 0;
  }
}

// Element by element over the common range of two arrays; with one number,
// array op number whichever side the number came from.
void Arithmetic(MacroCall& call) {
  const Variant& x1 = call.Arg(0);
  const Variant& x2 = call.Arg(1);
  const bool array1 = IsArrayArg(x1);
  const bool array2 = IsArrayArg(x2);
  if (array1 && array2) {
    const ArrayArg a(x1);
    const ArrayArg b(x2);
    const int lo = std::max(a.Lo(), b.Lo());
    const int hi = std::min(a.Hi(), b.Hi());
    std::vector<Extended> result(static_cast<std::size_t>(std::max(hi - lo + 1, 0)), 0);
    for (int i = lo; i <= hi; ++i) {
      result[static_cast<std::size_t>(i - lo)] = Combine(call.Method, a.At(i), b.At(i));
    }
    call.Result = MakeArray(lo, result);
    return;
  }
  if (!array1 && !array2) return;
  const ArrayArg a(array1 ? x1 : x2);
  const Extended number = vbscript::ToDouble(array1 ? x2 : x1);
  std::vector<Extended> result(static_cast<std::size_t>(a.Hi() - a.Lo() + 1), 0);
  for (int i = a.Lo(); i <= a.Hi(); ++i) {
    result[static_cast<std::size_t>(i - a.Lo())] = Combine(call.Method, a.At(i), number);
  }
  call.Result = MakeArray(a.Lo(), result);
}

void SetIndic(MacroCall& call) {
  const ArrayArg a(call.Arg(0));
  const int last = std::min(a.Hi(), MaxQuotes);
  // Elements below the array's own low bound (1 for the object's arrays,
  // 0 for a script's Dim) are never asked for.
  for (int i = std::max(a.Lo(), 1); i <= last; ++i) {
    call.Output.Values[static_cast<std::size_t>(i - 1)] = static_cast<Single>(a.At(i));
  }
}

}  // namespace

void InvokeArrays(MacroCall& call) {
  CustomIndicatorOutput& output = call.Output;
  switch (call.Method) {
    case MacroMethod::Level:
      output.Levels += call.Text(0) + ";";
      return;
    case MacroMethod::SetValue: {
      const int p = call.Whole(0);
      if (p >= 1 && p <= MaxQuotes) {
        output.Values[static_cast<std::size_t>(p - 1)] = static_cast<Single>(call.Number(1));
      }
      return;
    }
    case MacroMethod::SetIndic:
      SetIndic(call);
      return;
    case MacroMethod::SetHistogram:
      output.Histogram = true;
      return;
    case MacroMethod::SetIndicColor:
      output.ColorText = std::to_string(call.Whole(0));
      return;
    case MacroMethod::SMA:
    case MacroMethod::EMA:
    case MacroMethod::WMA:
      Average(call);
      return;
    case MacroMethod::StdDev:
    case MacroMethod::Slope:
    case MacroMethod::LinReg:
      Regression(call);
      return;
    case MacroMethod::Corr:
      Corr(call);
      return;
    case MacroMethod::Shift:
      Shift(call);
      return;
    case MacroMethod::Add:
    case MacroMethod::Substract:
    case MacroMethod::Multiply:
    case MacroMethod::Divide:
      Arithmetic(call);
      return;
    case MacroMethod::Sum:
    default:
      return;
  }
}

std::string ComposeLevelsText(const CustomIndicatorOutput& output) {
  return output.Levels + "\xC2\xA8" + output.ColorText + "*" + (output.Histogram ? "-1" : "0");
}

}  // namespace chartorium
