#include "portfolio/PortfolioCommands.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "portfolio/PortfolioFile.h"
#include "portfolio/PortfolioFixture.h"

namespace chartorium {
namespace {

using testing::PortfolioTest;

class PortfolioCommands : public PortfolioTest {
 protected:
  std::filesystem::path Portfolios() const { return folder / "Portfolios"; }
};

TEST_F(PortfolioCommands, UnsavedChangesAreSavedOrDiscardedOnlyWhenTheUserSaysSo) {
  struct Case {
    const char* why;
    bool modified;
    bool hasFile;
    std::deque<bool> answers;
    std::deque<std::filesystem::path> saveAs;
    bool mayClose;
    bool asked;
    bool written;
  };
  const std::filesystem::path chosen = folder / "Portfolios" / "Chosen.por";
  const Case cases[] = {
      {"unchanged", false, true, {}, {}, true, false, false},
      {"discarded", true, true, {false}, {}, true, true, false},
      {"saved to its file", true, true, {true}, {}, true, true, true},
      {"saved through the dialog", true, false, {true}, {chosen}, true, true, true},
      {"the save dialog cancelled", true, false, {true}, {}, false, true, false},
  };
  for (const Case& c : cases) {
    std::filesystem::create_directories(Portfolios());
    std::filesystem::remove(chosen);
    Portfolio portfolio = WithCash("5");
    portfolio.Modified = c.modified;
    if (c.hasFile) portfolio.CurrentFile = chosen;
    dialogs.Messages.clear();
    dialogs.ConfirmAnswers = c.answers;
    files.SaveAnswers = c.saveAs;
    EXPECT_EQ(SaveChangesBeforeClosing(portfolio, context, files), c.mayClose) << c.why;
    EXPECT_EQ(!dialogs.Messages.empty(), c.asked) << c.why;
    if (c.asked) {
      EXPECT_EQ(dialogs.Messages[0].Kind, "confirm");
      EXPECT_EQ(dialogs.Messages[0].Text,
                "Do you want to save the changes to the portfolio Growth?");
    }
    EXPECT_EQ(std::filesystem::exists(chosen), c.written) << c.why;
    EXPECT_EQ(portfolio.Modified, c.modified && !c.written) << c.why;
  }
}

TEST_F(PortfolioCommands, ANewPortfolioAsksItsNameAfterTheSaveQuestion) {
  Portfolio portfolio = WithCash("5");
  portfolio.Modified = true;
  dialogs.ConfirmAnswers = {false};
  dialogs.InputAnswers = {""};
  EXPECT_FALSE(NewPortfolioCommand(portfolio, context, files));
  EXPECT_EQ(portfolio.PortfolioName, " Growth");

  dialogs.Messages.clear();
  dialogs.ConfirmAnswers = {false};
  dialogs.InputAnswers = {"Income"};
  portfolio.CurrentFile = folder / "x.por";
  portfolio.Journal = {"a line"};
  EXPECT_TRUE(NewPortfolioCommand(portfolio, context, files));
  ASSERT_EQ(dialogs.Messages.size(), 2u);
  EXPECT_EQ(dialogs.Messages[1].Text, NewPortfolioPrompt);
  EXPECT_EQ(portfolio.PortfolioName, " Income");
  EXPECT_EQ(portfolio.Cash, " 0");
  EXPECT_EQ(portfolio.TotalAssets, " 0");
  EXPECT_EQ(portfolio.PortfolioChange, " 0.00%");
  EXPECT_TRUE(portfolio.Rows.empty() && portfolio.Journal.empty());
  EXPECT_FALSE(portfolio.CurrentFile);
  EXPECT_TRUE(portfolio.Modified);

  // Saving proposes the name and starts in the "Portfolios" folder.
  files.SaveAnswers = {Portfolios() / "Income.por"};
  EXPECT_TRUE(SavePortfolioCommand(portfolio, context, files, false));
  EXPECT_EQ(files.ProposedNames, std::vector<std::string>{"Income"});
  EXPECT_EQ(portfolio.CurrentFile, Portfolios() / "Income.por");
  EXPECT_FALSE(portfolio.Modified);
  // "Save" now writes to the file; "Save As..." asks again.
  EXPECT_TRUE(SavePortfolioCommand(portfolio, context, files, false));
  EXPECT_FALSE(SavePortfolioCommand(portfolio, context, files, true));
  EXPECT_EQ(files.ProposedNames.size(), 2u);
}

TEST_F(PortfolioCommands, OpeningTriesThePortfoliosFolderAndRefusesADamagedFile) {
  std::filesystem::create_directories(Portfolios());
  ASSERT_TRUE(
      WriteFileAtomically(Portfolios() / "Kept.por", " 12\r\nKept\r\nUSD\r\n$^\xA8\r\n").ok());
  ASSERT_TRUE(WriteFileAtomically(folder / "Bad.por", "not a portfolio\r\n").ok());

  Portfolio portfolio = WithCash("5");
  EXPECT_FALSE(OpenPortfolioFile(portfolio, context, (folder / "Missing.por").string()));
  EXPECT_FALSE(OpenPortfolioFile(portfolio, context, ""));
  EXPECT_TRUE(dialogs.Messages.empty());
  EXPECT_FALSE(OpenPortfolioFile(portfolio, context, (folder / "Bad.por").string()));
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Kind, "error");
  EXPECT_EQ(portfolio.PortfolioName, " Growth");

  // A path of the library's Windows days finds the file by its name.
  EXPECT_TRUE(OpenPortfolioFile(portfolio, context, "C:\\Chartorium\\Portfolios\\Kept.por"));
  EXPECT_EQ(portfolio.PortfolioName, " Kept");
  EXPECT_EQ(portfolio.TotalAssets, " 12.00");
  EXPECT_EQ(portfolio.CurrentFile, Portfolios() / "Kept.por");
  EXPECT_FALSE(portfolio.Modified);

  // Showing the window starts over with the last file, if it can be read.
  ReopenLastPortfolio(portfolio, context, "");
  EXPECT_FALSE(portfolio.Loaded());
  ReopenLastPortfolio(portfolio, context, (Portfolios() / "Kept.por").string());
  EXPECT_EQ(portfolio.PortfolioName, " Kept");

  // The open dialog: the save question comes first.
  portfolio.Modified = true;
  dialogs.ConfirmAnswers = {false};
  files.OpenAnswers = {folder / "Bad.por"};
  EXPECT_FALSE(OpenPortfolioCommand(portfolio, context, files));
  EXPECT_EQ(portfolio.PortfolioName, " Kept");
}

TEST_F(PortfolioCommands, SavingOverAFileThatIsNoPortfolioShowsAnErrorAndKeepsIt) {
  ASSERT_TRUE(WriteFileAtomically(folder / "notes.txt", "my notes\r\n").ok());
  Portfolio portfolio = WithCash("5");
  portfolio.Modified = true;
  files.SaveAnswers = {folder / "notes.txt"};
  EXPECT_FALSE(SavePortfolioCommand(portfolio, context, files, true));
  ASSERT_EQ(dialogs.Messages.size(), 1u);
  EXPECT_EQ(dialogs.Messages[0].Kind, "error");
  EXPECT_EQ(Bytes(folder / "notes.txt"), "my notes\r\n");
  EXPECT_TRUE(portfolio.Modified);
  EXPECT_FALSE(portfolio.CurrentFile);
}

TEST_F(PortfolioCommands, RenamingNeedsAPortfolioAndAName) {
  Portfolio none;
  EXPECT_FALSE(RenamePortfolioCommand(none, context));
  EXPECT_TRUE(dialogs.Messages.empty());
  Portfolio portfolio = WithCash("5");
  dialogs.InputAnswers = {"", "Pension"};
  EXPECT_FALSE(RenamePortfolioCommand(portfolio, context));
  EXPECT_TRUE(RenamePortfolioCommand(portfolio, context));
  EXPECT_EQ(dialogs.Messages[0].Text, RenamePortfolioPrompt);
  EXPECT_EQ(portfolio.PortfolioName, " Pension");
  EXPECT_TRUE(portfolio.Modified);
}

TEST_F(PortfolioCommands, TheWindowSettingsAndTheLastFileSurviveARestart) {
  IniFile quorex;
  EXPECT_EQ(ReadPortSettings(quorex), PortSettings{});
  Portfolio portfolio = WithCash("5");
  EXPECT_EQ(LastPortfolioFile(portfolio), "");
  portfolio.CurrentFile = Portfolios() / "Growth.por";
  const PortSettings settings{12, 34, 700, LastPortfolioFile(portfolio)};
  WritePortSettings(quorex, settings);
  EXPECT_EQ(ReadPortSettings(IniFile::FromText(quorex.Text())), settings);
  EXPECT_EQ(quorex.ReadString("Port", "Last", ""), (Portfolios() / "Growth.por").string());
}

// A year of bookkeeping: every kind of operation, saved, reopened and
// compared field by field.
TEST_F(PortfolioCommands, AYearOfOperationsIsReopenedAsItWasSaved) {
  WriteStock("Acme", {20.0f, 21.5f});
  WriteStock("Beta", {33.3f});
  WriteStock("Gamma", {7.77f});
  Portfolio portfolio;
  dialogs.InputAnswers = {"Retirement"};
  ASSERT_TRUE(NewPortfolioCommand(portfolio, context, files));
  Deposit(portfolio, context, "10000", "02/01/2024");
  const auto buy = [&](const char* stock, const char* n, const char* price, const char* date) {
    ASSERT_EQ(Buy(portfolio, {stock, n, price, "9.95", date}), OperationOutcome::Booked) << date;
  };
  const auto sell = [&](const char* stock, const char* n, const char* price, const char* date) {
    ASSERT_EQ(Sell(portfolio, {stock, n, price, "9.95", date}), OperationOutcome::Booked) << date;
  };
  buy("Acme", "100", "18.40", "03/01/2024");
  buy("Beta", "50", "30.125", "15/01/2024");
  dialogs.ConfirmAnswers = {true};
  buy("Acme", "50", "19.10", "01/02/2024");
  sell("Gamma", "200", "8.05", "12/03/2024");
  sell("Acme", "30", "20.00", "02/04/2024");
  PayDividends(portfolio, context, 0, "0.35");
  Withdraw(portfolio, context, "1500", "30/06/2024");
  dialogs.ConfirmAnswers = {false};
  buy("Beta", "10", "31", "15/07/2024");
  sell("Beta", "50", "34.2", "01/10/2024");
  dialogs.ConfirmAnswers = {true};
  buy("Gamma", "100", "7.5", "15/11/2024");
  Deposit(portfolio, context, "250.75", "31/12/2024");
  ASSERT_EQ(portfolio.Journal.size(), 12u);

  files.SaveAnswers = {Portfolios() / "Retirement.por"};
  ASSERT_TRUE(SavePortfolioCommand(portfolio, context, files, false));
  Portfolio reopened;
  ASSERT_TRUE(OpenPortfolioFile(reopened, context, (Portfolios() / "Retirement.por").string()));
  EXPECT_EQ(reopened.PortfolioName, portfolio.PortfolioName);
  EXPECT_EQ(reopened.Cash, portfolio.Cash);
  EXPECT_EQ(reopened.Rows, portfolio.Rows);
  EXPECT_EQ(reopened.Journal, portfolio.Journal);
  EXPECT_EQ(reopened.TotalAssets, portfolio.TotalAssets);
  EXPECT_EQ(reopened.PortfolioChange, portfolio.PortfolioChange);
  EXPECT_EQ(reopened.ChangeIsNegative, portfolio.ChangeIsNegative);
  EXPECT_EQ(PortfolioFileBytes(reopened), Bytes(Portfolios() / "Retirement.por"));

  // The books balance: deposits less withdrawals, less what was paid, plus
  // what was received.
  EXPECT_EQ(portfolio.Cash, " 7271.9");
  EXPECT_EQ(portfolio.Rows,
            (std::vector<PositionRow>{
                {"Acme", "01/02/2024", "120", "18.6333", "2235.996", "   21.50", "+15.38%"},
                {"Gamma", "15/11/2024", "-100", "8.6995", "-869.95", "    7.77", "+10.68%"},
                {"Beta", "15/07/2024", "10", "31", "310", "   33.30", "+7.42%"},
            }));
  EXPECT_EQ(portfolio.Journal[6], "15/03/2023 Dividends from Acme : 42");
}

}  // namespace
}  // namespace chartorium
