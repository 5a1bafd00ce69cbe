// One trading period of a stock file, and its two on-disk layouts.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/Numbers.h"

namespace chartorium {

/// Capacity of a stock in records, of QuoteArray and of BarSeries alike.
constexpr int MaxQuotes = 2001;
/// Size of a record of the current stock file format.
constexpr int QuoteRecordSize = 40;
/// Size of a record of the older format, converted on first open.
constexpr int OldQuoteRecordSize = 32;
/// Byte 0 of the first record of a current-format stock file.
constexpr std::uint8_t FormatMarker = 'Y';

/// One trading day or one condensed bar. Field order follows the file: Low before High.
struct QuoteRecord {
  std::array<std::uint8_t, 8> Reserved{};  ///< zero; byte 0 of record 1 holds the marker
  double Date = 0;                         ///< day number, day 0 = 30 December 1899
  Single Open = 0;
  Single Low = 0;
  Single High = 0;
  Single Close = 0;
  std::int32_t Volume = 0;
  std::int32_t OpenInterest = 0;

  friend bool operator==(const QuoteRecord&, const QuoteRecord&) = default;
};

/// Writes `record` as 40 little-endian bytes, field by field.
void EncodeQuoteRecord(const QuoteRecord& record, std::span<std::uint8_t, QuoteRecordSize> out);
/// Reads a record of the current format.
QuoteRecord DecodeQuoteRecord(std::span<const std::uint8_t, QuoteRecordSize> bytes);
/// Reads a 32-byte record of the older format: Date, Open, Low, High, Close,
/// Volume and 4 discarded bytes. Reserved and OpenInterest come out zero.
QuoteRecord DecodeOldQuoteRecord(std::span<const std::uint8_t, OldQuoteRecordSize> bytes);

}  // namespace chartorium
