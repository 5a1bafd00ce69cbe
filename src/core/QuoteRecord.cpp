// Byte layouts of stock file records. Fields are copied one by one in
// little-endian order so the file never depends on the compiler's struct layout.
#include "core/QuoteRecord.h"

#include <bit>
#include <cstring>

namespace chartorium {
namespace {

static_assert(std::endian::native == std::endian::little,
              "stock files are little-endian; a big-endian build needs byte swaps here");

template <typename T>
void Put(std::uint8_t* out, T value) {
  std::memcpy(out, &value, sizeof value);
}

template <typename T>
T Get(const std::uint8_t* in) {
  T value;
  std::memcpy(&value, in, sizeof value);
  return value;
}

}  // namespace

void EncodeQuoteRecord(const QuoteRecord& record, std::span<std::uint8_t, QuoteRecordSize> out) {
  std::uint8_t* p = out.data();
  std::memcpy(p, record.Reserved.data(), record.Reserved.size());
  Put(p + 8, record.Date);
  Put(p + 16, record.Open);
  Put(p + 20, record.Low);
  Put(p + 24, record.High);
  Put(p + 28, record.Close);
  Put(p + 32, record.Volume);
  Put(p + 36, record.OpenInterest);
}

QuoteRecord DecodeQuoteRecord(std::span<const std::uint8_t, QuoteRecordSize> bytes) {
  const std::uint8_t* p = bytes.data();
  QuoteRecord record;
  std::memcpy(record.Reserved.data(), p, record.Reserved.size());
  record.Date = Get<double>(p + 8);
  record.Open = Get<Single>(p + 16);
  record.Low = Get<Single>(p + 20);
  record.High = Get<Single>(p + 24);
  record.Close = Get<Single>(p + 28);
  record.Volume = Get<std::int32_t>(p + 32);
  record.OpenInterest = Get<std::int32_t>(p + 36);
  return record;
}

QuoteRecord DecodeOldQuoteRecord(std::span<const std::uint8_t, OldQuoteRecordSize> bytes) {
  const std::uint8_t* p = bytes.data();
  QuoteRecord record;
  record.Date = Get<double>(p + 0);
  record.Open = Get<Single>(p + 8);
  record.Low = Get<Single>(p + 12);
  record.High = Get<Single>(p + 16);
  record.Close = Get<Single>(p + 20);
  record.Volume = Get<std::int32_t>(p + 24);
  return record;
}

}  // namespace chartorium
