#include "core/QuoteRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "core/QuoteStore.h"

namespace chartorium {
namespace {

// The 40 bytes of a record written out by hand: reserved, double date,
// singles Open, Low, High, Close, int32 Volume and OpenInterest, little-endian.
std::array<std::uint8_t, 40> HandWrittenRecord() {
  std::array<std::uint8_t, 40> bytes{};
  bytes[0] = 'Y';
  // 45000.0 as a double: 0x40E5F90000000000.
  const std::uint8_t date[8] = {0x00, 0x00, 0x00, 0x00, 0x00, 0xF9, 0xE5, 0x40};
  std::memcpy(bytes.data() + 8, date, 8);
  // 1.5f = 0x3FC00000, 1.0f = 0x3F800000, 2.0f = 0x40000000, -0.5f = 0xBF000000.
  const std::uint8_t singles[16] = {0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x80, 0x3F,
                                    0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0xBF};
  std::memcpy(bytes.data() + 16, singles, 16);
  // Volume 0x01020304, OpenInterest -2.
  const std::uint8_t integers[8] = {0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF};
  std::memcpy(bytes.data() + 32, integers, 8);
  return bytes;
}

TEST(QuoteRecord, DecodesAndEncodesTheFileLayoutByteForByte) {
  const auto bytes = HandWrittenRecord();
  const QuoteRecord record = DecodeQuoteRecord(bytes);
  EXPECT_EQ(record.Reserved[0], 'Y');
  EXPECT_EQ(record.Date, 45000.0);
  EXPECT_EQ(record.Open, 1.5f);
  EXPECT_EQ(record.Low, 1.0f);
  EXPECT_EQ(record.High, 2.0f);
  EXPECT_EQ(record.Close, -0.5f);
  EXPECT_EQ(record.Volume, 0x01020304);
  EXPECT_EQ(record.OpenInterest, -2);

  std::array<std::uint8_t, 40> written{};
  EncodeQuoteRecord(record, written);
  EXPECT_EQ(written, bytes);
}

TEST(QuoteRecord, ReadsTheOlderLayoutWithoutOpenInterest) {
  std::array<std::uint8_t, 32> old{};
  const auto current = HandWrittenRecord();
  std::memcpy(old.data(), current.data() + 8, 28);  // Date .. Volume
  old[28] = 0x77;                                   // the 4 discarded bytes
  const QuoteRecord record = DecodeOldQuoteRecord(old);
  EXPECT_EQ(record.Date, 45000.0);
  EXPECT_EQ(record.Low, 1.0f);
  EXPECT_EQ(record.High, 2.0f);
  EXPECT_EQ(record.Volume, 0x01020304);
  EXPECT_EQ(record.OpenInterest, 0);
  EXPECT_EQ(record.Reserved, (std::array<std::uint8_t, 8>{}));
}

TEST(DropOldestQuotes, KeepsAFullStoreAtMaxQuotesWhenADayIsAppended) {
  auto store = std::make_unique<QuoteStore>();
  for (int i = 1; i <= MaxQuotes; ++i) store->QuoteArray[i].Date = i;
  store->QuoteCount = MaxQuotes;

  DropOldestQuotes(*store, 1);
  store->QuoteArray[++store->QuoteCount].Date = MaxQuotes + 1;

  EXPECT_EQ(store->QuoteCount, MaxQuotes);
  EXPECT_EQ(store->QuoteArray[1].Date, 2);
  EXPECT_EQ(store->QuoteArray[MaxQuotes].Date, MaxQuotes + 1);
}

TEST(DropOldestQuotes, ZeroesTheFreedSlotsAndLimitsTheCount) {
  auto store = std::make_unique<QuoteStore>();
  for (int i = 1; i <= 5; ++i) store->QuoteArray[i].Close = static_cast<float>(i);
  store->QuoteCount = 5;
  DropOldestQuotes(*store, 2);
  EXPECT_EQ(store->QuoteCount, 3);
  EXPECT_EQ(store->QuoteArray[1].Close, 3.0f);
  EXPECT_EQ(store->QuoteArray[3].Close, 5.0f);
  EXPECT_EQ(store->QuoteArray[4], QuoteRecord{});

  DropOldestQuotes(*store, 5000);  // more than held: the store empties
  EXPECT_EQ(store->QuoteCount, 0);
  EXPECT_EQ(store->QuoteArray[1], QuoteRecord{});
}

}  // namespace
}  // namespace chartorium
