// A Workspace on a temporary folder, with helpers to write stock files.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/QuoteRecord.h"
#include "core/SafeFile.h"
#include "core/Workspace.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace chartorium::testing {

inline QuoteRecord Quote(double date, Single close, std::int32_t volume = 100) {
  QuoteRecord record;
  record.Date = date;
  record.Open = close - 0.5f;
  record.Low = close - 1.0f;
  record.High = close + 1.0f;
  record.Close = close;
  record.Volume = volume;
  record.OpenInterest = 7;
  return record;
}

inline std::string CurrentFormat(const std::vector<QuoteRecord>& records, bool marker = true) {
  std::string bytes;
  for (size_t i = 0; i < records.size(); ++i) {
    std::array<std::uint8_t, QuoteRecordSize> encoded;
    EncodeQuoteRecord(records[i], encoded);
    if (i == 0 && marker) encoded[0] = FormatMarker;
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  return bytes;
}

// The older layout: Date, Open, Low, High, Close, Volume and 4 more bytes.
inline std::string OldFormat(const std::vector<QuoteRecord>& records) {
  std::string bytes;
  for (const QuoteRecord& r : records) {
    char record[32] = {};
    std::memcpy(record, &r.Date, 8);
    std::memcpy(record + 8, &r.Open, 4);
    std::memcpy(record + 12, &r.Low, 4);
    std::memcpy(record + 16, &r.High, 4);
    std::memcpy(record + 20, &r.Close, 4);
    std::memcpy(record + 24, &r.Volume, 4);
    std::memset(record + 28, 0x5A, 4);
    bytes.append(record, sizeof record);
  }
  return bytes;
}

class StockFileTest : public ::testing::Test {
 protected:
  StockFileTest() : workspace(folder.Path()) {
    std::filesystem::create_directories(folder / "Stocks");
  }

  std::filesystem::path StockFile(const std::string& name) const {
    return folder / "Stocks" / (name + ".kvx");
  }
  void WriteStock(const std::string& name, const std::string& bytes) const {
    ASSERT_TRUE(WriteFileAtomically(StockFile(name), bytes).ok());
  }
  std::string FileBytes(const std::filesystem::path& file) const {
    auto bytes = ReadWholeFile(file);
    return bytes.ok() ? *bytes : std::string("<missing>");
  }

  TempFolder folder;
  Workspace workspace;
  FakeDialogs dialogs;
};

}  // namespace chartorium::testing
