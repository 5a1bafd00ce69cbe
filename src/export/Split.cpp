// Split adjustment.
#include "export/Split.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/Dialogs.h"
#include "core/QuoteStore.h"
#include "core/RebuildBars.h"
#include "core/SafeFile.h"
#include "core/StockCommands.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

constexpr std::string_view ProductName = "Chartorium";

std::filesystem::path PresplitPath(const std::filesystem::path& stockFile) {
  std::filesystem::path kept = stockFile;
  kept += std::string(PresplitSuffix);
  return kept;
}

bool FitsPrice(Extended value) {
  return std::isfinite(ToSingle(value));
}

std::optional<std::int32_t> ScaledWhole(std::int32_t value, Extended ratio) {
  const Extended scaled = std::trunc(static_cast<Extended>(value) * ratio);
  if (!(scaled >= std::numeric_limits<std::int32_t>::min() &&
        scaled <= std::numeric_limits<std::int32_t>::max()))
    return std::nullopt;
  return static_cast<std::int32_t>(scaled);
}

// The record divided for the split, or nullopt when a stock file could not hold it.
std::optional<QuoteRecord> SplitRecord(QuoteRecord record, Extended ratio) {
  const Extended open = record.Open / ratio;
  const Extended low = record.Low / ratio;
  const Extended high = record.High / ratio;
  const Extended close = record.Close / ratio;
  const auto volume = ScaledWhole(record.Volume, ratio);
  const auto interest = ScaledWhole(record.OpenInterest, ratio);
  if (!FitsPrice(open) || !FitsPrice(low) || !FitsPrice(high) || !FitsPrice(close) ||
      !(ToSingle(close) > 0) || !volume || !interest)
    return std::nullopt;
  record.Open = ToSingle(open);
  record.Low = ToSingle(low);
  record.High = ToSingle(high);
  record.Close = ToSingle(close);
  record.Volume = *volume;
  record.OpenInterest = *interest;
  return record;
}

std::string KeptMessage(const std::filesystem::path& kept) {
  return std::string(SplitDoneMessage) + "\r\nThe quotes as they were are kept in \"" +
         kept.filename().string() + "\".";
}

// A typed date; a short date with a month name ("29 Dec 2023"), as "&First
// date" and "&Last date" write it in such a locale, is read in the locale's order.
double ReadDateField(std::string_view text, const DateLocale& locale, const Clock& clock) {
  const double date = TextToDate(text, locale, clock);
  if (date != NoDate) return date;
  constexpr std::string_view Orders[] = {"DMY", "MDY", "YMD"};
  const auto order = static_cast<size_t>(SystemDateOrder(locale.ShortDateFormat));
  return TextToDateOrdered(text, Orders[order], locale);
}

// The locale with four-digit years: a two-digit year of 20..99 reads back as
// 1920..1999, so the date buttons never write one.
DateLocale WithFullYears(DateLocale locale) {
  std::string& pattern = locale.ShortDateFormat;
  const size_t year = pattern.find('y');
  if (year == std::string::npos) return locale;
  const size_t end = std::min(pattern.find_first_not_of('y', year), pattern.size());
  if (end - year == 2) pattern.insert(year, "yy");
  return locale;
}

}  // namespace

SplitRequest ReadSplitFields(std::string_view fromDate, std::string_view toDate,
                             std::string_view divisor1, std::string_view divisor2,
                             const DateLocale& locale, const Clock& clock) {
  return {ReadDateField(fromDate, locale, clock), ReadDateField(toDate, locale, clock),
          std::string(divisor1), std::string(divisor2)};
}

SplitRange FindSplitRange(const QuoteStore& store, double from, double to) {
  SplitRange range;
  int first = 1;
  while (first <= store.QuoteCount && store.QuoteArray[static_cast<size_t>(first)].Date < from)
    ++first;
  int last = first - 1;
  while (last + 1 <= store.QuoteCount && store.QuoteArray[static_cast<size_t>(last + 1)].Date <= to)
    ++last;
  range.First = first;
  range.Last = last;
  return range;
}

bool SplitQuotes(QuoteStore& store, SplitRange range, Extended ratio) {
  std::vector<QuoteRecord> split;
  for (int i = range.First; i <= range.Last; ++i) {
    const auto record = SplitRecord(store.QuoteArray[static_cast<size_t>(i)], ratio);
    if (!record) return false;
    split.push_back(*record);
  }
  for (int i = range.First; i <= range.Last; ++i)
    store.QuoteArray[static_cast<size_t>(i)] = split[static_cast<size_t>(i - range.First)];
  return true;
}

SplitResult SplitStock(Workspace& workspace, Dialogs& dialogs, const SplitRequest& request) {
  if (Trim(request.Divisor1).empty() || Trim(request.Divisor2).empty()) {
    dialogs.Warning(DivisorNotSetMessage);
    return SplitResult::Refused;
  }
  const double first = TextToNumber(request.Divisor1);
  const double second = TextToNumber(request.Divisor2);
  if (first == 0 || second == 0) {
    dialogs.Warning(DivisionByZeroMessage);
    return SplitResult::Refused;
  }
  QuoteStore& store = workspace.Quotes();
  if (store.StockName.empty()) {
    dialogs.Warning(NoOpenFileMessage);
    return SplitResult::Refused;
  }
  const Extended ratio = static_cast<Extended>(first) / second;
  const SplitRange range = FindSplitRange(store, request.FromDate, request.ToDate);
  if (range.Empty()) {
    // Nothing changes, and the copy of an earlier split stays as it was.
    dialogs.Information(SplitDoneMessage);
    RebuildBars(workspace);
    return SplitResult::Done;
  }
  const QuoteTable before = store.QuoteArray;
  if (!SplitQuotes(store, range, ratio)) {
    dialogs.Warning(SplitOutOfRangeMessage);
    return SplitResult::Refused;
  }
  // The file is brought up to date with the quotes as they were, kept aside,
  // and then rewritten with the split quotes.
  const QuoteTable after = store.QuoteArray;
  store.QuoteArray = before;
  const auto fail = [&](const Status& status) {
    store.QuoteArray = before;
    RebuildBars(workspace);
    dialogs.Error(ProductName, status.message());
    return SplitResult::Failed;
  };
  if (const Status saved = SauveFich(workspace); !saved.ok()) return fail(saved);
  const std::filesystem::path kept = PresplitPath(store.OpenFile);
  if (!store.OpenFile.empty())
    if (const Status copied = KeepCopyOf(store.OpenFile, PresplitSuffix); !copied.ok())
      return fail(copied);
  store.QuoteArray = after;
  RebuildBars(workspace);
  if (const Status saved = SauveFich(workspace); !saved.ok()) return fail(saved);
  dialogs.Information(store.OpenFile.empty() ? std::string(SplitDoneMessage) : KeptMessage(kept));
  return SplitResult::Done;
}

Status UndoSplit(Workspace& workspace, std::string_view stock) {
  const std::filesystem::path file = StockFilePath(workspace, stock);
  auto bytes = ReadWholeFile(PresplitPath(file));
  if (!bytes) {
    if (bytes.status().code() == StatusCode::NotFound)
      return Status::NotFound("no split of '" + std::string(stock) + "' was kept");
    return bytes.status();
  }
  if (EqualsIgnoreCase(workspace.Quotes().OpenFileStock, stock)) CloseStockFile(workspace);
  return WriteFileAtomically(file, *bytes);
}

std::string FirstQuoteDateText(const Workspace& workspace, const DateLocale& locale) {
  const QuoteStore& store = workspace.Quotes();
  return store.QuoteCount > 0 ? DateText(store.QuoteArray[1].Date, WithFullYears(locale))
                              : std::string();
}

std::string LastQuoteDateText(const Workspace& workspace, const DateLocale& locale) {
  const QuoteStore& store = workspace.Quotes();
  return store.QuoteCount > 0
             ? DateText(store.QuoteArray[static_cast<size_t>(store.QuoteCount)].Date,
                        WithFullYears(locale))
             : std::string();
}

}  // namespace chartorium
