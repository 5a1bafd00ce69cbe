// A data folder with stock files, fake dialogs, a fixed day and the
// day/month/year locale: what the portfolio commands run on in tests.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/SafeFile.h"
#include "core/StockFileFixture.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioCommands.h"
#include "portfolio/PortfolioOperations.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace chartorium::testing {

/// 15 March 2023.
constexpr int FixedToday = 45000;

/// Answers the open and save dialogs from queues; an empty queue cancels.
class FakeFileDialogs final : public PortfolioFileDialogs {
 public:
  std::deque<std::filesystem::path> OpenAnswers;
  std::deque<std::filesystem::path> SaveAnswers;
  std::vector<std::string> ProposedNames;

  std::optional<std::filesystem::path> ChooseFileToOpen(const std::filesystem::path&) override {
    return Next(OpenAnswers);
  }
  std::optional<std::filesystem::path> ChooseFileToSave(const std::filesystem::path&,
                                                        std::string_view name) override {
    ProposedNames.emplace_back(name);
    return Next(SaveAnswers);
  }

 private:
  static std::optional<std::filesystem::path> Next(std::deque<std::filesystem::path>& answers) {
    if (answers.empty()) return std::nullopt;
    std::filesystem::path answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class PortfolioTest : public ::testing::Test {
 protected:
  PortfolioTest() { std::filesystem::create_directories(folder / "Stocks"); }

  /// A stock whose daily closes start on 1 March 2023 (day 44986).
  void WriteStock(const std::string& name, const std::vector<Single>& closes) const {
    std::vector<QuoteRecord> records;
    for (size_t i = 0; i < closes.size(); ++i)
      records.push_back(Quote(44986 + static_cast<double>(i), closes[i]));
    ASSERT_TRUE(
        WriteFileAtomically(folder / "Stocks" / (name + ".kvx"), CurrentFormat(records)).ok());
  }

  /// A portfolio named "Growth" holding `cash`.
  static Portfolio WithCash(const std::string& cash) {
    Portfolio portfolio;
    portfolio.PortfolioName = " Growth";
    portfolio.Cash = " " + cash;
    return portfolio;
  }

  OperationOutcome Buy(Portfolio& portfolio, OperationInput input) {
    return AcceptOperation(portfolio, context, OperationKind::Buy, input);
  }
  OperationOutcome Sell(Portfolio& portfolio, OperationInput input) {
    return AcceptOperation(portfolio, context, OperationKind::Sell, input);
  }

  std::string Bytes(const std::filesystem::path& file) const {
    auto bytes = ReadWholeFile(file);
    return bytes ? *bytes : std::string("<missing>");
  }

  TempFolder folder;
  FakeDialogs dialogs;
  FakeFileDialogs files;
  DateLocale locale;
  FixedClock clock{FixedToday};
  PortfolioContext context{folder.Path(), dialogs, locale, clock};
};

}  // namespace chartorium::testing
