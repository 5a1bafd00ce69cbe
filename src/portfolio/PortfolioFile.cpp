// Reading and writing ".por" files. The separator line is compared as bytes,
// before the lines are converted from Windows-1252.
#include "portfolio/PortfolioFile.h"

#include <algorithm>
#include <vector>

#include "core/Cp1252.h"
#include "core/SafeFile.h"
#include "core/TextCase.h"
#include "core/TextHelpers.h"

namespace chartorium {
namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view Currency = "USD";
// A position needs its name, date, quantity, unit price and total.
constexpr int PositionFields = 5;

// The lines as raw bytes. A line break after the last line starts no new
// line; CR LF and LF both end a line.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

std::string LineText(std::string_view bytes) {
  return Cp1252ToUtf8(bytes);
}

std::string Positional(size_t index) {
  return "line " + std::to_string(index + 1);
}

}  // namespace

std::string PortfolioFileBytes(const Portfolio& portfolio) {
  std::string bytes;
  const auto line = [&bytes](std::string_view text) {
    bytes += Utf8ToCp1252(text);
    bytes += LineEnd;
  };
  line(portfolio.Cash);
  line(portfolio.TrimmedName());
  line(Currency);
  for (const PositionRow& row : portfolio.Rows) {
    std::string fields;
    for (int column = 0; column < PositionColumnCount; ++column)
      fields += row.Column(static_cast<PositionColumn>(column)) + ";";
    line(fields + std::string(Currency));
  }
  bytes += JournalSeparator;
  bytes += LineEnd;
  for (const std::string& entry : portfolio.Journal) line(entry);
  return bytes;
}

Status CheckPortfolioBytes(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos)
    return Status::Corruption("it is not a text file");
  const std::vector<std::string_view> lines = SplitLines(bytes);
  if (lines.size() < 3)
    return Status::Corruption("it ends after " + std::to_string(lines.size()) +
                              " lines, before its currency line");
  if (const std::string_view cash = Trim(lines[0]); !cash.empty() && !IsNumber(cash))
    return Status::Corruption("line 1 is not an amount of cash");
  for (size_t i = 3; i < lines.size() && lines[i] != JournalSeparator; ++i) {
    if (lines[i].empty()) continue;
    if (std::count(lines[i].begin(), lines[i].end(), ';') < PositionFields - 1)
      return Status::Corruption(Positional(i) + " is not a position (fewer than " +
                                std::to_string(PositionFields) + " fields separated by ';')");
  }
  return Status::Ok();
}

Result<Portfolio> ReadPortfolioBytes(std::string_view bytes) {
  if (Status checked = CheckPortfolioBytes(bytes); !checked.ok()) return checked;
  const std::vector<std::string_view> lines = SplitLines(bytes);
  Portfolio portfolio;
  portfolio.Cash = " " + std::string(Trim(LineText(lines[0])));
  portfolio.PortfolioName = " " + LineText(lines[1]);
  size_t i = 3;
  for (; i < lines.size() && lines[i] != JournalSeparator; ++i) {
    const std::string text = LineText(lines[i]);
    PositionRow row;
    row.Stocks = FieldOf(text, 1, ";");
    row.BuyDate = FieldOf(text, 2, ";");
    row.Qty = FieldOf(text, 3, ";");
    row.BuyPrice = FieldOf(text, 4, ";");
    row.TotalPrice = FieldOf(text, 5, ";");
    row.LastClose = FieldOf(text, 6, ";");
    portfolio.Rows.push_back(std::move(row));
  }
  for (++i; i < lines.size(); ++i) portfolio.Journal.push_back(LineText(lines[i]));
  return portfolio;
}

Result<Portfolio> ReadPortfolioFile(const std::filesystem::path& file) {
  const auto bytes = ReadWholeFile(file);
  if (!bytes) return bytes.status();
  auto portfolio = ReadPortfolioBytes(*bytes);
  if (!portfolio)
    return Status::Corruption("'" + file.string() + "' is not a portfolio file: " +
                              std::string(portfolio.status().message()));
  portfolio->CurrentFile = file;
  return portfolio;
}

Status WritePortfolioFile(const Portfolio& portfolio, const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::exists(file, error)) {
    const auto old = ReadWholeFile(file);
    if (!old) return old.status();
    if (Status checked = old->empty() ? Status::Ok() : CheckPortfolioBytes(*old); !checked.ok())
      return Status::Corruption("'" + file.string() + "' is not a portfolio file (" +
                                std::string(checked.message()) + "); it is left as it is");
  }
  return WriteFileAtomically(file, PortfolioFileBytes(portfolio));
}

}  // namespace chartorium
