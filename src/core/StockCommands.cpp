// Stock files: one record after the other, oldest first, no header. Byte 0
// of the first record holds the marker that tells the current format.
#include "core/StockCommands.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <system_error>

#include "core/DerivedSeries.h"
#include "core/Dialogs.h"
#include "core/RebuildBars.h"
#include "core/SafeFile.h"
#include "core/StockObserver.h"
#include "core/StockSettingsFile.h"
#include "core/TextCase.h"
#include "core/Workspace.h"

namespace chartorium {
namespace {

using Path = std::filesystem::path;

constexpr std::string_view CorruptCopySuffix = ".corrupt";
constexpr std::string_view FullCopySuffix = ".full";

// Which closes a load accepts after the first record.
enum class CloseRule { MustBePositive, MustNotBeZero };

class StockFileReader {
 public:
  explicit StockFileReader(const Path& file) : stream_(std::fopen(file.c_str(), "rb")) {}
  StockFileReader(const StockFileReader&) = delete;
  StockFileReader& operator=(const StockFileReader&) = delete;
  ~StockFileReader() {
    if (stream_) std::fclose(stream_);
  }

  bool IsOpen() const { return stream_ != nullptr; }
  bool Failed() const { return std::ferror(stream_) != 0; }
  bool Seek(long offset) { return std::fseek(stream_, offset, SEEK_SET) == 0; }

  /// Fills `bytes` from the current position; false when the file ends first.
  bool Read(std::span<std::uint8_t> bytes) {
    return std::fread(bytes.data(), 1, bytes.size(), stream_) == bytes.size();
  }

  /// Reads the next record of `size` bytes; false at the end of the file.
  template <size_t Size>
  bool Next(std::array<std::uint8_t, Size>& bytes) {
    return std::fread(bytes.data(), 1, Size, stream_) == Size;
  }

 private:
  std::FILE* stream_;
};

Status OpenError(const Path& file) {
  return Status::IoError("cannot read stock file '" + file.string() + "'");
}

std::uintmax_t FileSize(const Path& file) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  return error ? 0 : size;
}

bool CloseIsBad(Single close, CloseRule rule) {
  return rule == CloseRule::MustBePositive ? !(close > 0) : close == 0;
}

// The stock name of a path: its file name without the last four characters.
std::string StockNameOf(const Path& file) {
  const std::string name = file.filename().string();
  return name.size() <= 4 ? std::string() : name.substr(0, name.size() - 4);
}

// Reads the records of a current-format file into the store. Only the newest
// MaxQuotes records of a longer file are loaded. Returns whether a bad record
// was found; the store is then empty.
Result<bool> ReadRecords(QuoteStore& store, const Path& file, CloseRule rule) {
  const std::uintmax_t size = FileSize(file);
  const long count = static_cast<long>(size / QuoteRecordSize);
  StockFileReader reader(file);
  if (!reader.IsOpen()) return OpenError(file);
  const long skipped = count > MaxQuotes ? count - MaxQuotes : 0;
  if (skipped > 0 && !reader.Seek(skipped * QuoteRecordSize)) return OpenError(file);
  // One read fills a buffer of whole records; decoding then goes record by record.
  std::array<std::uint8_t, MaxQuotes * QuoteRecordSize> buffer;
  const size_t wanted = static_cast<size_t>(count - skipped) * QuoteRecordSize;
  if (!reader.Read(std::span<std::uint8_t>(buffer.data(), wanted))) return OpenError(file);
  for (long fileIndex = skipped + 1; fileIndex <= count; ++fileIndex) {
    const size_t offset = static_cast<size_t>(fileIndex - skipped - 1) * QuoteRecordSize;
    const QuoteRecord record = DecodeQuoteRecord(
        std::span<const std::uint8_t, QuoteRecordSize>(buffer.data() + offset, QuoteRecordSize));
    // The first record of the file is not tested.
    if (fileIndex > 1 && CloseIsBad(record.Close, rule)) {
      ClearQuoteStore(store);
      return true;
    }
    store.QuoteArray[static_cast<size_t>(fileIndex - skipped)] = record;
  }
  store.QuoteCount = static_cast<int>(count - skipped);
  store.FileRecordCount = static_cast<int>(count);
  return false;
}

// Whether byte 0 of the file's first record holds the marker.
bool HasMarker(const Path& file) {
  StockFileReader reader(file);
  std::array<std::uint8_t, QuoteRecordSize> bytes;
  return reader.IsOpen() && reader.Next(bytes) && bytes[0] == FormatMarker;
}

// Steps shared by the interactive and the quiet load, for an existing file.
// Returns whether the file was found damaged.
Result<bool> LoadExistingFile(Workspace& workspace, const Path& file, CloseRule rule) {
  QuoteStore& store = workspace.Quotes();
  store.StockName = StockNameOf(file);
  store.OpenFile = file;
  store.OpenFileStock = store.StockName;
  store.FileRecordCount = 0;
  const std::uintmax_t size = FileSize(file);
  if (size == 0) return false;
  bool damaged = false;
  if (!HasMarker(file)) {
    // A size that is not a multiple of 40 marks the older format; a file of
    // whole 40-byte records without the marker is loaded unchanged.
    const bool oldFormat = size % QuoteRecordSize != 0;
    if (const Status converted = ConvertOldStockFile(file); !converted.ok()) return converted;
    if (oldFormat && FileSize(file) == 0) damaged = true;
  } else if (size % QuoteRecordSize != 0) {
    // A torn last record: the whole records load, the file is kept as it was.
    static_cast<void>(KeepCopyOf(file, CorruptCopySuffix));
  }
  auto read = ReadRecords(store, file, rule);
  if (!read) return read.status();
  if (*read) {
    static_cast<void>(KeepCopyOf(file, CorruptCopySuffix));
    damaged = true;
  }
  RebuildBars(workspace);
  return damaged;
}

Status LoadSettings(Workspace& workspace) {
  auto settings = LoadStockSettings(workspace.AppFolder(), workspace.Quotes().StockName);
  if (!settings) return settings.status();
  workspace.OpenStockSettings = std::move(*settings);
  return Status::Ok();
}

void ClearForLoad(Workspace& workspace) {
  QuoteStore& store = workspace.Quotes();
  ClearQuoteStore(store);
  ResetDerivedSeries(workspace);
  store.SystemError = false;
}

}  // namespace

Status Ouvre(Workspace& workspace, Dialogs& dialogs, StockObserver& observer,
             const Path& stockFile) {
  QuoteStore& store = workspace.Quotes();
  store.VisibleBarCount = workspace.Prefs.Integer("ENbD");
  if (store.VisibleBarCount < 1) store.VisibleBarCount = 1;
  if (const Status saved = SauveFich(workspace); !saved.ok()) return saved;
  ClearForLoad(workspace);
  CloseStockFile(workspace);

  std::error_code error;
  if (std::filesystem::is_regular_file(stockFile, error)) {
    const auto damaged = LoadExistingFile(workspace, stockFile, CloseRule::MustBePositive);
    if (!damaged) return damaged.status();
    if (*damaged && !workspace.Activity.QuietStockMessages) dialogs.Warning(CorruptedFileMessage);
  } else {
    const std::string name = StockNameOf(stockFile);
    if (name.empty() || Trim(stockFile.string()).empty()) return Status::Ok();
    std::filesystem::create_directories(stockFile.parent_path(), error);
    if (const Status created = WriteFileAtomically(stockFile, {}); !created.ok()) return created;
    ClearQuoteStore(store);
    observer.StockNodeCreated(name);
    store.StockName = name;
    store.OpenFile = stockFile;
    store.OpenFileStock = name;
    workspace.ChartCaption = name;
  }

  if (const Status loaded = LoadSettings(workspace); !loaded.ok()) return loaded;
  if (workspace.Activity.AutomaticUpdateRunning) return Status::Ok();
  workspace.ChartCaption = store.StockName;
  store.FirstVisibleBar = store.BarCount;
  observer.StockOpened(workspace.Prefs.Flag("B1"),
                       workspace.Prefs.Flag("CBS") || workspace.Activity.SignalsWindowExists);
  return Status::Ok();
}

Result<LoadOutcome> LoadStockQuietly(Workspace& workspace, const Path& stockFile) {
  ClearForLoad(workspace);
  CloseStockFile(workspace);
  std::error_code error;
  LoadOutcome outcome = LoadOutcome::Missing;
  if (std::filesystem::is_regular_file(stockFile, error)) {
    const auto damaged = LoadExistingFile(workspace, stockFile, CloseRule::MustNotBeZero);
    if (!damaged) return damaged.status();
    outcome = *damaged ? LoadOutcome::Damaged : LoadOutcome::Loaded;
  }
  if (const Status loaded = LoadSettings(workspace); !loaded.ok()) return loaded;
  return outcome;
}

Status SauveFich(Workspace& workspace) {
  QuoteStore& store = workspace.Quotes();
  if (store.QuoteCount <= 0 || store.StockName.empty() || store.OpenFile.empty())
    return Status::Ok();
  if (store.FileRecordCount > MaxQuotes) {
    // The file held older records than the store: keep them before shortening it.
    if (const Status kept = KeepCopyOf(store.OpenFile, FullCopySuffix); !kept.ok()) return kept;
    store.FileRecordCount = store.QuoteCount;
  }
  store.QuoteArray[1].Reserved[0] = FormatMarker;
  std::array<std::uint8_t, MaxQuotes * QuoteRecordSize> bytes;
  for (int i = 1; i <= store.QuoteCount; ++i)
    EncodeQuoteRecord(
        store.QuoteArray[i],
        std::span<std::uint8_t, QuoteRecordSize>(
            bytes.data() + static_cast<size_t>(i - 1) * QuoteRecordSize, QuoteRecordSize));
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<size_t>(store.QuoteCount) * QuoteRecordSize);
  if (const Status written = WriteFileAtomically(store.OpenFile, data); !written.ok())
    return written;
  return SaveIndicatorSlots(workspace.AppFolder(), store.OpenFileStock,
                            workspace.OpenStockSettings.Slots);
}

void CloseStockFile(Workspace& workspace) {
  QuoteStore& store = workspace.Quotes();
  store.OpenFile.clear();
  store.OpenFileStock.clear();
  store.FileRecordCount = 0;
}

Result<StockFileInfo> InspectStockFile(const Path& stockFile) {
  StockFileInfo info;
  const std::uintmax_t size = FileSize(stockFile);
  StockFileReader reader(stockFile);
  if (!reader.IsOpen()) return OpenError(stockFile);
  info.OldFormat = size % QuoteRecordSize != 0 && !HasMarker(stockFile);
  const int recordSize = info.OldFormat ? OldQuoteRecordSize : QuoteRecordSize;
  info.RecordCount = static_cast<int>(size / static_cast<std::uintmax_t>(recordSize));
  if (info.RecordCount == 0) return info;
  // The date is the first field of an old record and the second of a current one.
  const long dateOffset = info.OldFormat ? 0 : 8;
  const auto dateAt = [&](long record) -> std::optional<double> {
    std::array<std::uint8_t, sizeof(double)> bytes;
    if (!reader.Seek(record * recordSize + dateOffset) || !reader.Next(bytes)) return {};
    double date;
    std::memcpy(&date, bytes.data(), sizeof date);
    return date;
  };
  const auto first = dateAt(0);
  const auto last = dateAt(info.RecordCount - 1);
  if (!first || !last) return OpenError(stockFile);
  info.FirstDate = *first;
  info.LastDate = *last;
  return info;
}

Status ConvertOldStockFile(const Path& stockFile) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(stockFile, error)) return Status::Ok();
  const std::uintmax_t size = FileSize(stockFile);
  if (size % QuoteRecordSize == 0) return Status::Ok();

  std::string converted;
  {
    StockFileReader reader(stockFile);
    if (!reader.IsOpen()) return OpenError(stockFile);
    std::array<std::uint8_t, OldQuoteRecordSize> oldBytes;
    std::array<std::uint8_t, QuoteRecordSize> newBytes;
    for (long index = 1; reader.Next(oldBytes); ++index) {
      const QuoteRecord record = DecodeOldQuoteRecord(oldBytes);
      if (index > 1 && !(record.Close > 0)) {
        converted.clear();
        if (const Status kept = KeepCopyOf(stockFile, CorruptCopySuffix); !kept.ok()) return kept;
        break;
      }
      EncodeQuoteRecord(record, newBytes);
      if (index == 1) newBytes[0] = FormatMarker;
      converted.append(reinterpret_cast<const char*>(newBytes.data()), newBytes.size());
    }
    if (reader.Failed()) return OpenError(stockFile);
  }
  return WriteFileAtomically(stockFile, converted);
}

}  // namespace chartorium
