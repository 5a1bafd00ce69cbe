#include "quotes/StockPropertiesForm.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "core/StockFileFixture.h"

namespace chartorium {
namespace {

class StockProperties : public testing::StockFileTest {
 protected:
  void Write(const std::string& relative, const std::string& text) {
    std::filesystem::create_directories((folder / relative).parent_path());
    ASSERT_TRUE(WriteFileAtomically(folder / relative, text).ok());
  }
  StockPropertiesForm Load(const std::string& stock) {
    return LoadStockPropertiesForm(folder.Path(), stock).value();
  }
};

TEST_F(StockProperties, AMissingFileGivesTheDefaults) {
  const StockPropertiesForm form = Load("New");
  EXPECT_EQ(form.Stock, "New");
  EXPECT_EQ(form.Currency, "USD");
  EXPECT_TRUE(form.Ticker.empty());
  EXPECT_TRUE(form.Sites.empty());
  EXPECT_EQ(form.Site, -1);
  EXPECT_TRUE(form.Earnings.empty());
}

TEST_F(StockProperties, LoadsEveryKeyWithTheRegistrysTickerAndAListedSite) {
  Write("Sites.ini", "[Yahoo]\r\nURL=x\r\n[Stooq]\r\nURL=y\r\n");
  Write("Stocks.ini", "[Acme]\r\nTick=ACME.NEW\r\n");
  Write("Preferences/Acme.ini",
        "[Acme]\r\nTick=ACME\r\nSite=stooq\r\nCur=EUR\r\nNbr=1 000 000\r\nNot=Made things\r\n"
        "Years=1999;2000;;2002\r\nEarnings=1.2;1.5;9;0.9\r\n[Main]\r\nI1=RSI\r\n");
  const StockPropertiesForm form = Load("Acme");
  EXPECT_EQ(form.Ticker, "ACME.NEW") << "the registry wins";
  EXPECT_EQ(form.Sites, (std::vector<std::string>{"Yahoo", "Stooq"}));
  EXPECT_EQ(form.Site, 1);
  EXPECT_EQ(form.Currency, "EUR");
  EXPECT_EQ(form.Shares, "1 000 000");
  EXPECT_EQ(form.Notes, "Made things");
  EXPECT_EQ(form.Earnings, (std::vector<EarningsRow>{{"1999", "1.2"}, {"2000", "1.5"}}))
      << "the list stops at the first empty year";
}

TEST_F(StockProperties, AnUnlistedSiteShowsTheFirstSite) {
  Write("Sites.ini", "[Yahoo]\r\n[Stooq]\r\n");
  Write("Preferences/Acme.ini", "[Acme]\r\nSite=Gone\r\n");
  EXPECT_EQ(Load("Acme").Site, 0);
  EXPECT_EQ(PropertiesOfForm(Load("Acme")).Site, "Yahoo");
}

TEST_F(StockProperties, ConfirmingWritesEveryKeyAndTheRegistry) {
  Write("Preferences/Acme.ini", "[Main]\r\nI1=RSI\r\n");
  Write("Stocks.ini", "[Other]\r\nTick=OTH\r\n");
  StockPropertiesForm form = Load("Acme");
  form.Ticker = " ACME ";
  form.StoredSite = "Kept";
  form.Notes = "two\r\nlines";
  form.Earnings = {{"1999", "1.2"}, {"2000", "1.5"}, {"2001", "0.9"}};
  workspace.Quotes().StockName = "Acme";
  ASSERT_TRUE(ConfirmStockProperties(workspace, form).ok());

  const IniFile settings = IniFile::Load(folder / "Preferences/Acme.ini").value();
  EXPECT_EQ(settings.ReadString("Acme", "Years", ""), "1999;2000;2001");
  EXPECT_EQ(settings.ReadString("Acme", "Earnings", ""), "1.2;1.5;0.9");
  EXPECT_EQ(settings.ReadString("Acme", "Tick", ""), "ACME");
  EXPECT_EQ(settings.ReadString("Acme", "Site", ""), "Kept") << "no site listed: kept as it was";
  EXPECT_EQ(settings.ReadString("Acme", "Cur", ""), "USD");
  EXPECT_EQ(settings.ReadString("Acme", "Not", ""), "two  lines");
  EXPECT_EQ(settings.ReadString("Main", "I1", ""), "RSI");
  const IniFile tickers = IniFile::Load(folder / "Stocks.ini").value();
  EXPECT_EQ(tickers.ReadString("Acme", "Tick", ""), "ACME");
  EXPECT_EQ(tickers.ReadString("Other", "Tick", ""), "OTH");
  EXPECT_EQ(workspace.OpenStockSettings.Properties.Tick, "ACME");

  const StockPropertiesForm again = Load("Acme");
  EXPECT_EQ(again.Earnings, form.Earnings);
  EXPECT_EQ(again.Ticker, "ACME");
}

TEST_F(StockProperties, AddingEarningsAsksTheYearThenTheAmount) {
  struct Case {
    std::vector<std::string> Answers;
    bool Added;
    std::vector<std::string> Prompts;
  };
  const Case cases[] = {
      {{"2001", "0.9"}, true, {"input Enter the year:", "input Enter the earnings of 2001:"}},
      {{"", ""}, false, {"input Enter the year:"}},
      {{"abc"}, false, {"input Enter the year:"}},
      {{"0"}, false, {"input Enter the year:"}},
      {{"2002", "1;2"},
       false,
       {"input Enter the year:", "input Enter the earnings of 2002:",
        "warning " + std::string(EarningsSemicolonMessage)}},
  };
  for (const Case& c : cases) {
    dialogs.Messages.clear();
    dialogs.InputAnswers = {c.Answers.begin(), c.Answers.end()};
    StockPropertiesForm form;
    EXPECT_EQ(AddEarnings(form, dialogs), c.Added) << c.Answers[0];
    EXPECT_EQ(form.Earnings.size(), c.Added ? 1u : 0u);
    std::vector<std::string> shown;
    for (const auto& m : dialogs.Messages) shown.push_back(m.Kind + " " + m.Text);
    EXPECT_EQ(shown, c.Prompts) << c.Answers[0];
  }
  StockPropertiesForm form;
  form.Earnings = {{"1999", "1"}, {"2000", "2"}};
  DeleteEarnings(form, 5);
  DeleteEarnings(form, 0);
  EXPECT_EQ(form.Earnings, (std::vector<EarningsRow>{{"2000", "2"}}));
}

TEST_F(StockProperties, ASiteIsChosenByName) {
  Write("Sites.ini", "[Yahoo]\r\n[Stooq]\r\n");
  StockPropertiesForm form = Load("Acme");
  EXPECT_TRUE(ChooseSite(form, "STOOQ"));
  EXPECT_EQ(form.Site, 1);
  EXPECT_FALSE(ChooseSite(form, "Nowhere"));
  EXPECT_EQ(form.Site, 1);
}

}  // namespace
}  // namespace chartorium
