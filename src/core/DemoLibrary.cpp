// The demo library generator. It has its own random generator and normal
// deviates, so the same day always gives the same library on every machine.
#include "core/DemoLibrary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "core/Calendar.h"
#include "core/DemoMacros.h"
#include "core/IniFile.h"
#include "core/SafeFile.h"
#include "core/StockSettingsFile.h"

namespace chartorium {
namespace {

constexpr DemoStock Stocks[] = {
    {"Aldermoor Mining", "ALDM", "Energy and materials", 24.5f, 0.024f, 1800000, false},
    {"Brightwater Utilities", "BWU", "Energy and materials", 41.2f, 0.011f, 900000, false},
    {"Cobalt Ridge", "CBR", "Energy and materials", 12.8f, 0.031f, 2600000, false},
    {"Dunmore Oil", "DMO", "Energy and materials", 67.0f, 0.019f, 3100000, false},
    {"Eastgate Chemicals", "EGC", "Energy and materials", 88.4f, 0.016f, 700000, false},
    {"Fairhaven Bank", "FHB", "Finance", 33.6f, 0.017f, 4200000, false},
    {"Granite Insurance", "GRI", "Finance", 52.3f, 0.013f, 1300000, false},
    {"Harbor Capital", "HBC", "Finance", 19.9f, 0.022f, 2100000, false},
    {"Ironbridge Trust", "IBT", "Finance", 104.0f, 0.012f, 600000, false},
    {"Juniper Payments", "JNP", "Finance", 142.7f, 0.021f, 1900000, false},
    {"Kestrel Software", "KSW", "Technology", 58.1f, 0.026f, 5200000, false},
    {"Lumen Devices", "LMD", "Technology", 211.5f, 0.023f, 2700000, false},
    {"Meridian Networks", "MRN", "Technology", 36.4f, 0.028f, 3600000, false},
    {"Nimbus Cloud", "NMB", "Technology", 9.75f, 0.037f, 8400000, false},
    {"Orchid Semiconductors", "ORS", "Technology", 76.2f, 0.030f, 4100000, false},
    {"Pinecrest Foods", "PCF", "Consumer", 28.3f, 0.012f, 1500000, false},
    {"Quayside Retail", "QSR", "Consumer", 15.6f, 0.020f, 2300000, false},
    {"Redwood Apparel", "RWA", "Consumer", 47.9f, 0.018f, 1100000, false},
    {"Silverline Motors", "SLM", "Consumer", 63.5f, 0.025f, 3300000, false},
    {"Tidewater Travel", "TWT", "Consumer", 22.1f, 0.027f, 1700000, false},
    {"Upland Pharma", "UPH", "Health", 95.8f, 0.022f, 1200000, false},
    {"Vantage Medical", "VTM", "Health", 130.2f, 0.015f, 800000, false},
    {"Willow Biotech", "WBT", "Health", 7.4f, 0.041f, 6100000, false},
    {"Yarrow Clinics", "YRC", "Health", 39.0f, 0.014f, 500000, false},
    {"World Index", "WIDX", "Indices", 1450.0f, 0.010f, 0, false},
    {"Zenith Closes", "ZNC", "Indices", 318.0f, 0.013f, 400000, true},
};

// SplitMix64: small, fast and the same on every platform.
class DemoRandom {
 public:
  explicit DemoRandom(unsigned long long seed) : state_(seed) {}
  unsigned long long Next() {
    unsigned long long z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  /// Uniform in (0, 1).
  double Uniform() { return (static_cast<double>(Next() >> 11) + 0.5) / 9007199254740992.0; }
  /// Standard normal deviate (Box-Muller).
  double Normal() {
    const double u = Uniform();
    const double v = Uniform();
    return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
  }

 private:
  unsigned long long state_;
};

bool IsTradingDay(int day) {
  const int weekday = DayOfWeek(day);
  if (weekday == 1 || weekday == 7) return false;
  const CivilDate date = DateOf(day);
  // The two holidays every exchange keeps.
  return !(date.Month == 1 && date.Day == 1) && !(date.Month == 12 && date.Day == 25);
}

float Cents(double price) {
  return static_cast<float>(std::max(0.01, std::round(price * 100.0) / 100.0));
}

unsigned long long SeedOf(std::string_view name) {
  unsigned long long seed = 1469598103934665603ULL;  // FNV-1a
  for (const char c : name) seed = (seed ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  return seed;
}

std::string TreeText() {
  // Folders and stocks sorted alphabetically, one tab per level, CR LF.
  std::map<std::string, std::vector<std::string>> folders;
  for (const DemoStock& stock : Stocks) folders[std::string(stock.Folder)].emplace_back(stock.Name);
  std::string text = "Stocks\r\n";
  for (auto& [folder, names] : folders) {
    std::sort(names.begin(), names.end());
    text += "\t" + folder + "\r\n";
    for (const std::string& name : names) text += "\t\t" + name + "\r\n";
  }
  return text;
}

}  // namespace

std::span<const DemoStock> DemoStocks() {
  return Stocks;
}

int LastWeekdayBefore(int today) {
  int day = today - 1;
  while (DayOfWeek(day) == 1 || DayOfWeek(day) == 7) --day;
  return day;
}

void GenerateQuotes(const DemoStock& stock, unsigned long long seed, int lastDay, int count,
                    QuoteTable& quotes) {
  count = std::clamp(count, 0, MaxQuotes);
  std::vector<int> days;
  for (int day = lastDay; static_cast<int>(days.size()) < count; --day)
    if (IsTradingDay(day)) days.push_back(day);
  std::reverse(days.begin(), days.end());

  DemoRandom random(seed);
  const double baseVariance = static_cast<double>(stock.Volatility) * stock.Volatility;
  double variance = baseVariance;
  double drift = 0;
  int regimeLeft = 0;
  double close = stock.StartPrice;
  for (int i = 0; i < count; ++i) {
    if (regimeLeft-- <= 0) {
      // Trends and reversals: a new drift every few months.
      regimeLeft = 40 + static_cast<int>(random.Uniform() * 200);
      drift = (random.Uniform() - 0.45) * 0.4 * stock.Volatility;
    }
    const double sigma = std::sqrt(variance);
    const double move = drift + sigma * random.Normal();
    // Volatility clusters: today's shock feeds tomorrow's variance.
    variance = 0.05 * baseVariance + 0.12 * move * move + 0.83 * variance;
    const double gap = random.Uniform() < 0.015 ? 3.0 * sigma * random.Normal() : 0.0;
    const double open = close * std::exp(gap + 0.25 * sigma * random.Normal());
    const double nextClose = close * std::exp(gap + move);
    const double top =
        std::max(open, nextClose) * std::exp(std::fabs(random.Normal()) * sigma * 0.6);
    const double bottom =
        std::min(open, nextClose) * std::exp(-std::fabs(random.Normal()) * sigma * 0.6);
    close = nextClose;

    QuoteRecord& record = quotes[static_cast<size_t>(i + 1)];
    record = QuoteRecord{};
    record.Date = days[static_cast<size_t>(i)];
    record.Close = Cents(close);
    if (!stock.ClosesOnly) {
      record.Open = Cents(open);
      record.High = std::max({Cents(top), record.Open, record.Close});
      record.Low = std::min({Cents(bottom), record.Open, record.Close});
    }
    if (stock.BaseVolume > 0) {
      const double surge = 1.0 + 6.0 * std::fabs(move) / stock.Volatility;
      const double volume = stock.BaseVolume * std::exp(0.35 * random.Normal()) * surge;
      record.Volume = static_cast<std::int32_t>(std::min(volume, 2.0e9));
    }
  }
}

Status WriteDemoLibrary(const std::filesystem::path& home, int today) {
  std::error_code error;
  std::filesystem::create_directories(home / "Stocks", error);
  std::filesystem::create_directories(home / "Preferences", error);
  if (error) return Status::IoError("cannot create '" + home.string() + "': " + error.message());

  const int lastDay = LastWeekdayBefore(today);
  IniFile tickers;
  auto quotes = std::make_unique<QuoteTable>();
  std::vector<std::uint8_t> bytes(static_cast<size_t>(MaxQuotes) * QuoteRecordSize);
  for (const DemoStock& stock : Stocks) {
    GenerateQuotes(stock, SeedOf(stock.Name), lastDay, MaxQuotes, *quotes);
    (*quotes)[1].Reserved[0] = FormatMarker;
    for (int i = 1; i <= MaxQuotes; ++i)
      EncodeQuoteRecord(
          (*quotes)[static_cast<size_t>(i)],
          std::span<std::uint8_t, QuoteRecordSize>(
              bytes.data() + static_cast<size_t>(i - 1) * QuoteRecordSize, QuoteRecordSize));
    const std::string name(stock.Name);
    const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (Status s = WriteFileAtomically(home / "Stocks" / (name + ".kvx"), data); !s.ok()) return s;

    tickers.WriteString(name, "Tick", stock.Ticker);
    IniFile settings;
    StockProperties properties;
    properties.Tick = std::string(stock.Ticker);
    WriteStockProperties(settings, name, properties);
    WriteIndicatorSlots(settings, IndicatorSlots{});
    if (Status s = settings.Save(home / "Preferences" / (name + ".ini")); !s.ok()) return s;
  }
  if (Status s = tickers.Save(home / "Stocks.ini"); !s.ok()) return s;
  if (Status s = WriteDemoMacros(home); !s.ok()) return s;
  return WriteFileAtomically(home / "List.ini", TreeText());
}

}  // namespace chartorium
