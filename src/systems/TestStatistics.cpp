// The texts of a test's statistics.
#include "systems/TestStatistics.h"

#include <algorithm>

#include "systems/TesterTexts.h"

namespace chartorium {

namespace {

constexpr std::array<std::string_view, StatisticsRowCount> LongLabels = {
    "Number of trades",
    "Number winning trades",
    "Number losing trades",
    "Gross Profit",
    "Gross Loss",
    "Largest winning trade",
    "Largest losing trade",
    "Average winning trade",
    "Average losing trade",
    "Average number bars by trade",
    "Maximum number bars by trade",
    "Minimum number bars by trade",
    "Ending amount",
    "Return",
    "With buy & hold",
};

constexpr std::array<std::string_view, StatisticsRowCount> ShortLabels = {
    "Short number of trades",
    "Short number winning trades",
    "Short number losing trades",
    "Short gross profit",
    "Short gross loss",
    "Short largest winning trade",
    "Short largest losing trade",
    "Short average winning trade",
    "Short average losing trade",
    "Short average number bars by trade",
    "Short maximum number bars by trade",
    "Short minimum number bars by trade",
    "Short ending amount",
    "Short return",
    "With short & hold",
};

// Up to the minimum bars; "Total result", the ending amount and the return follow.
constexpr std::array<std::string_view, 12> TotalLabels = {
    "Total number of trades",
    "Total number winning trades",
    "Total number losing trades",
    "Total gross profit",
    "Total gross loss",
    "Total largest winning trade",
    "Total largest losing trade",
    "Total average winning trade",
    "Total average losing trade",
    "Total average number bars by trade",
    "Total maximum number bars by trade",
    "Total minimum number bars by trade",
};
static_assert(TotalLabels.size() == static_cast<std::size_t>(StatisticsRow::MinBars) + 1);

using Row = StatisticsRow;

std::string Percentage(Extended value) {
  return TwoDecimals(static_cast<double>(value)) + "%";
}

// (value - initial) / initial in per cent.
Extended Change(Extended value, Extended initial) {
  return (value - initial) / initial * 100;
}

int Trades(const SideStatistics& side) {
  return side.Wins + side.Losses;
}

// Fills the rows a side's own statistics give: trades to minimum bars.
void SideRows(StatisticsColumn& column, const SideStatistics& side, const MoneyFormat& money) {
  const auto amount = [&](Extended value) { return MoneyText(static_cast<double>(value), money); };
  column[Row::Trades] = std::to_string(Trades(side));
  column[Row::Wins] = std::to_string(side.Wins);
  column[Row::Losses] = std::to_string(side.Losses);
  column[Row::GrossProfit] = amount(side.GrossProfit);
  column[Row::GrossLoss] = amount(side.GrossLoss);
  column[Row::LargestWin] = amount(side.LargestWin);
  column[Row::LargestLoss] = amount(side.LargestLoss);
  column[Row::AverageWin] = amount(side.AverageWin);
  column[Row::AverageLoss] = amount(side.AverageLoss);
  column[Row::AverageBars] = std::to_string(side.AverageBars);
  column[Row::MaxBars] = std::to_string(side.MaxBars);
  column[Row::MinBars] = std::to_string(side.MinBars);
}

void TotalRows(StatisticsColumn& column, const SideStatistics& longs, const SideStatistics& shorts,
               const MoneyFormat& money) {
  const auto amount = [&](Extended value) { return MoneyText(static_cast<double>(value), money); };
  const int trades = Trades(longs) + Trades(shorts);
  const int wins = longs.Wins + shorts.Wins;
  const int losses = longs.Losses + shorts.Losses;
  column[Row::Trades] = std::to_string(trades);
  column[Row::Wins] = std::to_string(wins);
  column[Row::Losses] = std::to_string(losses);
  column[Row::GrossProfit] = amount(Extended(longs.GrossProfit) + shorts.GrossProfit);
  column[Row::GrossLoss] = amount(Extended(longs.GrossLoss) + shorts.GrossLoss);
  column[Row::LargestWin] = amount(std::max(longs.LargestWin, shorts.LargestWin));
  column[Row::LargestLoss] = amount(std::min(longs.LargestLoss, shorts.LargestLoss));
  column[Row::AverageWin] = amount(wins == 0 ? 0
                                             : (Extended(longs.Wins) * longs.AverageWin +
                                                Extended(shorts.Wins) * shorts.AverageWin) /
                                                   wins);
  column[Row::AverageLoss] = amount(losses == 0 ? 0
                                                : (Extended(longs.Losses) * longs.AverageLoss +
                                                   Extended(shorts.Losses) * shorts.AverageLoss) /
                                                      losses);
  column[Row::AverageBars] = std::to_string(
      trades == 0
          ? 0
          : (Trades(shorts) * shorts.AverageBars + Trades(longs) * longs.AverageBars) / trades);
  column[Row::MaxBars] = std::to_string(std::max(longs.MaxBars, shorts.MaxBars));
  // 0 stands for "no trade on that side", so it never wins the comparison.
  const bool shortsShorter =
      shorts.MinBars != 0 && (longs.MinBars == 0 || shorts.MinBars < longs.MinBars);
  column[Row::MinBars] = std::to_string(shortsShorter ? shorts.MinBars : longs.MinBars);
}

}  // namespace

std::string_view StatisticsLabel(StatisticsRow row) {
  return LongLabels[static_cast<std::size_t>(row)];
}

StatisticsTexts FormatStatistics(const TestStatistics& s) {
  const MoneyFormat& money = s.Money;
  const auto amount = [&](Extended value) { return MoneyText(static_cast<double>(value), money); };
  StatisticsTexts texts;
  texts.Name = s.Name;

  const Extended initial = s.InitialTradingAmount;
  SideRows(texts.Long, s.Long, money);
  texts.Long[Row::EndingAmount] = amount(s.TradingAccount);
  texts.Long[Row::Return] = initial == 0 ? "N/A" : Percentage(Change(s.TradingAccount, initial));
  texts.Long[Row::HoldReturn] =
      initial == 0 ? "N/A" : Percentage(Change(s.BuyAndHoldAmount, initial));
  texts.NetResultLabel =
      s.TradingAccount >= s.InitialTradingAmount ? "Total net profit" : "Total net loss";
  texts.NetResult = amount(Extended(s.TradingAccount) - initial);
  if (!s.HasMarginAccount()) return texts;

  const Extended margin = s.InitialMarginAmount;
  SideRows(texts.Short, s.Short, money);
  texts.Short[Row::EndingAmount] = amount(s.MarginAccount);
  texts.Short[Row::Return] = Percentage(Change(s.MarginAccount, margin));
  texts.Short[Row::HoldReturn] = Percentage(Change(s.ShortAndHoldAmount, margin));

  TotalRows(texts.Total, s.Long, s.Short, money);
  texts.TotalResult = s.MarginAccount >= s.InitialMarginAmount ? "profit" : "loss";
  const Extended ending = Extended(s.MarginAccount) + s.TradingAccount;
  texts.Total[Row::EndingAmount] = amount(ending);
  texts.Total[Row::Return] = Percentage(Change(ending, initial + margin));
  return texts;
}

std::vector<StatisticsLine> StatisticsLines(const StatisticsTexts& texts) {
  std::vector<StatisticsLine> lines;
  for (std::size_t row = 0; row < StatisticsRowCount; ++row)
    lines.push_back({std::string(LongLabels[row]), texts.Long.Texts[row]});
  lines.push_back({texts.NetResultLabel, texts.NetResult});
  if (texts.TotalResult.empty()) return lines;
  for (std::size_t row = 0; row < StatisticsRowCount; ++row)
    lines.push_back({std::string(ShortLabels[row]), texts.Short.Texts[row]});
  for (std::size_t row = 0; row < TotalLabels.size(); ++row)
    lines.push_back({std::string(TotalLabels[row]), texts.Total.Texts[row]});
  lines.push_back({"Total result", texts.TotalResult});
  lines.push_back({"Total ending amount", texts.Total[Row::EndingAmount]});
  lines.push_back({"Total return", texts.Total[Row::Return]});
  return lines;
}

}  // namespace chartorium
