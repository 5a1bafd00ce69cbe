#include "portfolio/PortfolioOperations.h"

#include <gtest/gtest.h>

#include "portfolio/PortfolioFixture.h"

namespace chartorium {
namespace {

using testing::PortfolioTest;

class PortfolioOperations : public PortfolioTest {
 protected:
  PortfolioOperations() {
    WriteStock("Acme", {4.0f, 5.0f, 6.0f});
    WriteStock("Beta", {10.0f, 8.0f});
  }
};

TEST_F(PortfolioOperations, ABuyNeedsTheCashForPriceTimesNumberAndCommission) {
  struct Case {
    std::string_view cash;
    bool booked;
    std::string_view cashAfter;
  };
  constexpr Case Cases[] = {{"50.5", false, " 50.5"}, {"51", true, " 0"}, {"60", true, " 9"}};
  for (const Case& c : Cases) {
    Portfolio portfolio = WithCash(std::string(c.cash));
    dialogs.Messages.clear();
    const OperationOutcome outcome = Buy(portfolio, {"Acme", "10", "5", "1", "14/03/2023"});
    EXPECT_EQ(outcome, c.booked ? OperationOutcome::Booked : OperationOutcome::Refused) << c.cash;
    EXPECT_EQ(portfolio.Cash, c.cashAfter) << c.cash;
    EXPECT_EQ(portfolio.Modified, c.booked) << c.cash;
    if (!c.booked) {
      ASSERT_EQ(dialogs.Messages.size(), 1u);
      EXPECT_EQ(dialogs.Messages[0].Kind, "information");
      EXPECT_EQ(dialogs.Messages[0].Text, NotEnoughMoneyMessage);
      EXPECT_TRUE(portfolio.Rows.empty());
      EXPECT_TRUE(portfolio.Journal.empty());
      continue;
    }
    ASSERT_EQ(portfolio.Rows.size(), 1u) << c.cash;
    const PositionRow& row = portfolio.Rows[0];
    EXPECT_EQ(row, (PositionRow{"Acme", "14/03/2023", "10", "5", "50", "    6.00", "+20.00%"}));
    EXPECT_EQ(portfolio.Journal,
              std::vector<std::string>{"14/03/2023 Buy 10 stocks of Acme for 51"});
  }
}

TEST_F(PortfolioOperations, DialogInputThatBooksNothing) {
  struct Case {
    const char* why;
    OperationKind kind;
    OperationInput input;
    OperationOutcome outcome;
    std::string_view message;
  };
  const Case cases[] = {
      {"number 0", OperationKind::Buy, {"Acme", "0", "5", "", ""}, OperationOutcome::Ignored, ""},
      {"number 0.9",
       OperationKind::Sell,
       {"Acme", "0.9", "5", "", ""},
       OperationOutcome::Ignored,
       ""},
      {"no number", OperationKind::Buy, {"Acme", "", "5", "", ""}, OperationOutcome::Ignored, ""},
      {"no stock to buy",
       OperationKind::Buy,
       {"", "3", "5", "", ""},
       OperationOutcome::Refused,
       SelectStockToBuyMessage},
      {"no stock to sell",
       OperationKind::Sell,
       {"", "3", "5", "", ""},
       OperationOutcome::Refused,
       SelectStockToSellMessage},
      {"fraction",
       OperationKind::Buy,
       {"Acme", "2.5", "5", "", ""},
       OperationOutcome::Refused,
       WholeNumberMessage},
  };
  for (const Case& c : cases) {
    Portfolio portfolio = WithCash("1000");
    dialogs.Messages.clear();
    EXPECT_EQ(AcceptOperation(portfolio, context, c.kind, c.input), c.outcome) << c.why;
    EXPECT_EQ(portfolio.Cash, " 1000") << c.why;
    EXPECT_TRUE(portfolio.Rows.empty() && portfolio.Journal.empty()) << c.why;
    EXPECT_FALSE(portfolio.Modified) << c.why;
    if (c.message.empty()) {
      EXPECT_TRUE(dialogs.Messages.empty()) << c.why;
    } else {
      ASSERT_EQ(dialogs.Messages.size(), 1u) << c.why;
      EXPECT_EQ(dialogs.Messages[0].Kind, "warning") << c.why;
      EXPECT_EQ(dialogs.Messages[0].Text, c.message) << c.why;
    }
  }
}

TEST_F(PortfolioOperations, EmptyDateIsTodayAndAnUnreadableOneKeepsItsTextInTheJournal) {
  Portfolio portfolio = WithCash("1000");
  ASSERT_EQ(Buy(portfolio, {"Acme", "2", "5", "", ""}), OperationOutcome::Booked);
  ASSERT_EQ(Buy(portfolio, {"Beta", "1", "10", "", "yesterday"}), OperationOutcome::Booked);
  EXPECT_EQ(portfolio.Rows[0].BuyDate, "15/03/2023");
  EXPECT_EQ(portfolio.Rows[1].BuyDate, "20/05/1812");
  EXPECT_EQ(portfolio.Journal, (std::vector<std::string>{"15/03/2023 Buy 2 stocks of Acme for 10",
                                                         "yesterday Buy 1 stocks of Beta for 10"}));
  EXPECT_EQ(portfolio.Cash, " 980");
}

TEST_F(PortfolioOperations, BuyingAListedStockAgainAsksWhetherToMerge) {
  struct Case {
    const char* why;
    std::string first;
    std::string second;
    bool merge;
    std::vector<PositionRow> rows;
  };
  const Case cases[] = {
      {"merged at the average cost",
       "10",
       "10",
       true,
       {{"Acme", "14/03/2023", "20", "5.5", "110", "    6.00", "+9.09%"}}},
      {"an average that is not a whole number of cents",
       "2",
       "1",
       true,
       {{"Acme", "14/03/2023", "3", "5.3333", "16", "    6.00", "+12.50%"}}},
      {"kept apart",
       "10",
       "10",
       false,
       {{"Acme", "13/03/2023", "10", "5", "50", "    6.00", "+20.00%"},
        {"Acme", "14/03/2023", "10", "6", "60", "    6.00", "+0.00%"}}},
  };
  for (const Case& c : cases) {
    Portfolio portfolio = WithCash("1000");
    ASSERT_EQ(Buy(portfolio, {"Acme", c.first, "5", "1", "13/03/2023"}), OperationOutcome::Booked);
    dialogs.Messages.clear();
    dialogs.ConfirmAnswers = {c.merge};
    ASSERT_EQ(Buy(portfolio, {"Acme", c.second, "6", "1", "14/03/2023"}), OperationOutcome::Booked);
    ASSERT_EQ(dialogs.Messages.size(), 1u) << c.why;
    EXPECT_EQ(dialogs.Messages[0].Text, MergeQuestion) << c.why;
    EXPECT_EQ(portfolio.Rows, c.rows) << c.why;
  }
}

TEST_F(PortfolioOperations, ASaleOfTheQuantityTextHeldRemovesTheRow) {
  struct Case {
    std::string number;
    std::vector<PositionRow> rows;
    std::string_view cash;
    std::string_view received;
  };
  const Case cases[] = {
      {"10", {}, " 998", "48"},
      {"3", {{"Acme", "13/03/2023", "7", "5", "35", "    6.00", "+20.00%"}}, " 964.4", "14.4"},
      {"10.0", {{"Acme", "13/03/2023", "0", "5", "0", "    6.00", "+0.00%"}}, " 998", "48"},
      // Selling more than is held leaves a short remainder, whose change turns
      // negative as the price rises.
      {"12", {{"Acme", "13/03/2023", "-2", "5", "-10", "    6.00", "-20.00%"}}, " 1007.6", "57.6"},
  };
  for (const Case& c : cases) {
    Portfolio portfolio = WithCash("1000");
    ASSERT_EQ(Buy(portfolio, {"Acme", "10", "5", "", "13/03/2023"}), OperationOutcome::Booked);
    ASSERT_EQ(Sell(portfolio, {"Acme", c.number, "4.8", "", "14/03/2023"}),
              OperationOutcome::Booked);
    EXPECT_EQ(portfolio.Rows, c.rows) << c.number;
    EXPECT_EQ(portfolio.Cash, c.cash) << c.number;
    EXPECT_EQ(portfolio.Journal.back(),
              "14/03/2023 Sell " + c.number + " stocks of Acme for " + std::string(c.received))
        << c.number;
  }
}

TEST_F(PortfolioOperations, ASaleOfAStockNotHeldOpensAShortRowThatGainsAsThePriceFalls) {
  Portfolio portfolio = WithCash("100");
  ASSERT_EQ(Sell(portfolio, {"Beta", "5", "10", "2", "01/03/2023"}), OperationOutcome::Booked);
  ASSERT_EQ(portfolio.Rows.size(), 1u);
  // Beta's last close is 8: the short position sold at 10.4 a share gains.
  EXPECT_EQ(portfolio.Rows[0],
            (PositionRow{"Beta", "01/03/2023", "-5", "10.4", "-52", "    8.00", "+23.08%"}));
  EXPECT_EQ(portfolio.Cash, " 148");
  EXPECT_EQ(portfolio.Journal.back(), "01/03/2023 Sell 5 stocks of Beta for 48");
  // Cash 148 plus -5 x 8.
  EXPECT_EQ(portfolio.TotalAssets, " 108.00");
}

TEST_F(PortfolioOperations, DepositsWithdrawalsAndDividendsAskTheirAmountsFirst) {
  Portfolio portfolio = WithCash("0");
  dialogs.InputAnswers = {"1000", "01/02/2023"};
  EXPECT_TRUE(DepositCommand(portfolio, context));
  dialogs.InputAnswers = {"1200.5", ""};
  EXPECT_TRUE(WithdrawalCommand(portfolio, context));
  std::vector<std::string> prompts;
  for (const auto& shown : dialogs.Messages) prompts.push_back(shown.Text);
  EXPECT_EQ(prompts, (std::vector<std::string>{
                         std::string(DepositPrompt), std::string(OperationDatePrompt),
                         std::string(WithdrawalPrompt), std::string(OperationDatePrompt)}));
  EXPECT_EQ(portfolio.Cash, " -200.5");
  dialogs.InputAnswers = {""};
  EXPECT_FALSE(DepositCommand(portfolio, context));
  dialogs.InputAnswers = {""};
  EXPECT_FALSE(WithdrawalCommand(portfolio, context));

  Deposit(portfolio, context, "300.5", "");
  ASSERT_EQ(Buy(portfolio, {"Acme", "10", "5", "", "02/03/2023"}), OperationOutcome::Booked);
  dialogs.Messages.clear();
  EXPECT_FALSE(DividendsCommand(portfolio, context, -1));
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Kind, "information");
  EXPECT_EQ(dialogs.Messages[0].Text, SelectDividendsMessage);
  dialogs.InputAnswers = {""};
  EXPECT_FALSE(DividendsCommand(portfolio, context, 0));
  dialogs.InputAnswers = {"0.25"};
  EXPECT_TRUE(DividendsCommand(portfolio, context, 0));

  EXPECT_EQ(portfolio.Cash, " 52.5");
  // The total assets include the dividends at once: 52.5 + 10 x 6.
  EXPECT_EQ(portfolio.TotalAssets, " 112.50");
  EXPECT_EQ(portfolio.Journal,
            (std::vector<std::string>{
                "01/02/2023 Add 1000 in cash", "15/03/2023 Withdraw 1200.5 in cash",
                "15/03/2023 Add 300.5 in cash", "02/03/2023 Buy 10 stocks of Acme for 50",
                "15/03/2023 Dividends from Acme : 2.5"}));
  EXPECT_TRUE(portfolio.Modified);
}

}  // namespace
}  // namespace chartorium
