// The system tester's HTML pages: one test's performance table and order
// list, and the pages of the four test commands built from them.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Status.h"

namespace chartorium {

struct ReportOptions;
struct StatisticsTexts;

/// The page file every test command overwrites, in the data folder.
constexpr std::string_view ReportPageFileName = "~temp002.html";

/// What a performance table needs beside the statistics of one test.
struct TestAmounts {
  double InitialTradingAmount = 0;
  /// 0: the long-only layout; otherwise long, short and total columns. A
  /// negative amount has no short statistics, so those cells stay empty.
  double InitialMarginAmount = 0;
  /// The open stock's currency symbol, shown after the initial amounts.
  std::string Currency = "USD";
};

/// Every fragment and page is made of lines, each ended by CR LF.

/// One test's performance table from its statistics texts.
std::string PerformanceFragment(const StatisticsTexts& statistics, const TestAmounts& amounts);

/// One test's order list from its trade text: a name, ";", then the trade log
/// (entries ended by ";", closing entries with a TAB before the profit).
std::string TradesFragment(std::string_view tradeText);

/// The page of "&Test the stock".
std::string SingleTestPage(std::string_view systemName, const StatisticsTexts& statistics,
                           const TestAmounts& amounts, std::string_view tradeText);

/// "system": one system on many stocks; "stock": many systems on one stock.
enum class MultiTestKind { System, Stock };

/// The result lists of a multi-test command, index i for the i-th test.
struct MultiTestResults {
  std::vector<std::string> Performances;  ///< PerformanceFragment of each test
  std::vector<std::string> Trades;        ///< TradesFragment of each test
  std::vector<std::string> Names;         ///< the stock or system of each test
  std::vector<double> Returns;            ///< OverallReturn of each test

  /// Appends one test's results to the four lists.
  void Add(std::string performance, std::string trades, std::string name, double overallReturn);
};

/// The page of "Test s&elected stocks" (kind System, `subject` the system's
/// name) or of "Test selected &systems" (kind Stock, `subject` the stock's
/// name), with the sections the report options ask for.
std::string MultiTestPage(MultiTestKind kind, std::string_view subject,
                          const MultiTestResults& results, const ReportOptions& options);

/// Losing and winning counts with their average returns; a return of exactly
/// 0 counts as neither.
std::string OverallResults(std::span<const double> returns);

/// The histogram drawn in the page itself: one labelled bar per result,
/// losses red and gains green, as an inline SVG picture.
std::string ReturnsHistogram(std::span<const std::string> names, std::span<const double> returns);

/// The stocks-by-systems table of "Selected stocks and systems".
/// REQUIRES: returns.size() == stocks.size() * systems.size(), row by row
/// (the returns of the first stock on each system first).
std::string MatrixPage(std::span<const std::string> stocks, std::span<const std::string> systems,
                       std::span<const double> returns);

/// Writes the page as Windows-1252 text (the commands write "~temp002.html" in
/// the data folder), crash-safely. Fails with "Cannot create file <file>" and
/// leaves an older page as it was when the file cannot be written.
Status WriteReportPage(const std::filesystem::path& file, std::string_view page);

}  // namespace chartorium
