#include "quotes/ImportWizard.h"

#include <gtest/gtest.h>

#include "core/IniFile.h"
#include "quotes/ImportFixture.h"
#include "quotes/ImportTemplates.h"

namespace chartorium {
namespace {

using testing::DailyFile;
using testing::Day0;

class Wizard : public testing::ImportTest {
 protected:
  void OpenAndNext(const std::string& text) {
    ASSERT_TRUE(wizard.OpenFile(WriteText("q.csv", text), dialogs, true).ok());
    ASSERT_TRUE(wizard.Next(dialogs, true, locale));
  }
  std::string TemplatesText() const { return FileBytes(folder / "Templates.ini"); }
};

TEST_F(Wizard, ImportsAYearOfDailyQuotesListedNewestFirst) {
  const std::filesystem::path file =
      std::filesystem::path(CHARTORIUM_QUOTES_DATA) / "daily-2023-newest-first.csv";
  dialogs.InputAnswers = {"Harbour Tech"};
  ASSERT_TRUE(wizard.OpenFile(file, dialogs, true).ok());
  EXPECT_EQ(wizard.HeaderText(), "Date,Open,High,Low,Close,Adj Close,Volume");
  ASSERT_TRUE(wizard.Next(dialogs, true, locale));
  EXPECT_EQ(wizard.Captions(),
            (std::vector<std::string>{"Date", "Open", "High", "Low", "Close", "", "Volume"}));
  EXPECT_EQ(wizard.Settings.IgnoreLines, "1");
  const ImportOutcome outcome = wizard.Process(Ports(), {});
  ASSERT_TRUE(outcome.ok()) << outcome.Message;
  EXPECT_EQ(outcome.Stocks[0].Stock, "Harbour Tech");
  EXPECT_EQ(outcome.Stocks[0].Added, 250);

  const QuoteStore& store = workspace.Quotes();
  ASSERT_EQ(store.QuoteCount, 250);
  const QuoteRecord& first = store.QuoteArray[1];
  EXPECT_EQ(first.Date, DayNumber(2023, 1, 3));
  EXPECT_EQ(first.Open, 141.854660f);
  EXPECT_EQ(first.High, 142.886595f);
  EXPECT_EQ(first.Low, 141.631190f);
  EXPECT_EQ(first.Close, 142.725247f);
  EXPECT_EQ(first.Volume, 5983233);
  EXPECT_EQ(store.QuoteArray[250].Date, DayNumber(2023, 12, 29));
  EXPECT_EQ(store.FirstVisibleBar, store.BarCount);
  for (int i = 1; i <= store.QuoteCount; ++i)
    EXPECT_TRUE(store.QuoteArray[i].Low <= store.QuoteArray[i].Close &&
                store.QuoteArray[i].Close <= store.QuoteArray[i].High)
        << i;
}

TEST_F(Wizard, ShowingHidingAndClosingResetWhatTheyShould) {
  wizard.Settings.DateFormat = 2;
  wizard.Shown();
  EXPECT_EQ(wizard.Settings.DateFormat, 0);
  EXPECT_EQ(wizard.Templates(), std::vector<std::string>{"Default"});

  OpenAndNext("Date,Close\n05/01/2020,1\n13/01/2020,2\n");
  wizard.Settings.NewFile = wizard.Settings.DeleteExisting = true;
  EXPECT_EQ(wizard.FileName(), folder / "q.csv");
  wizard.Hidden();
  EXPECT_EQ(wizard.Text().LineCount(), 0u);
  EXPECT_FALSE(wizard.Settings.NewFile);
  EXPECT_FALSE(wizard.Settings.DeleteExisting);
  EXPECT_EQ(wizard.Settings.IgnoreLines, "1");
  wizard.Closed();
  EXPECT_TRUE(wizard.FileName().empty());
  EXPECT_EQ(wizard.Settings.IgnoreLines, "0");
  // "Fol" holds the folder of the file chosen.
  EXPECT_EQ(LoadImportMemory(folder.Path())->Folder, folder.Path().string());
}

TEST_F(Wizard, NextProposesTheFilesDateFormatAndDecimalSeparator) {
  struct Case {
    std::string text;
    std::string separator;
    int dateFormat;
    std::string decimal;
  };
  const Case cases[] = {
      {"Date,Close\n2020-01-02,12.5\n", ",", 0, "."},
      {"Date;Close\n05/01/2020;12,5\n13/01/2020;1.234,5\n", ";", 0, ","},
      {"Date\tClose\n01/05/2020\t12.5\n01/13/2020\t13\n", "Tab", 1, "."},
      {"02/01/2020 1,5 2\n13/01/2020 1,6 2\n", "Space", 0, ","},
  };
  for (const Case& c : cases) {
    wizard.Settings = ImportSettings{};
    OpenAndNext(c.text);
    EXPECT_EQ(wizard.Settings.Separator, c.separator) << c.text;
    EXPECT_EQ(wizard.Settings.DateFormat, c.dateFormat) << c.text;
    EXPECT_EQ(wizard.Settings.DecimalSeparator, c.decimal) << c.text;
  }
}

TEST_F(Wizard, ANewSeparatorRebuildsTheGridWithoutCaptions) {
  OpenAndNext("Date,Close;x\n2020-01-02,1;2\n");
  EXPECT_EQ(wizard.Grid().Columns, 2u);
  wizard.ChangeSeparator(";");
  EXPECT_EQ(wizard.Grid().Columns, 2u);
  EXPECT_EQ(wizard.Grid().Rows[1], (std::vector<std::string>{"2020-01-02,1", "2"}));
  EXPECT_EQ(wizard.Captions(), (std::vector<std::string>{"", ""}));
  wizard.ChangeSeparator("");
  EXPECT_EQ(wizard.Settings.Separator, ";");
  wizard.ChooseRole(1, "Close");
  wizard.ChooseRole(1, "[None]");
  wizard.ChooseRole(0, "Ticker");
  wizard.ChooseRole(7, "Date");  // no such column
  EXPECT_EQ(wizard.Captions(), (std::vector<std::string>{"Ticker", ""}));
}

TEST_F(Wizard, TemplatesSaveLoadAndDelete) {
  OpenAndNext("a;b;c;d;e;f;g\n1;2;3;4;5;6;7\n");
  const std::vector<std::string> captions = {"Date", "Open", "High", "Low", "Close", "Volume", ""};
  for (size_t i = 0; i < captions.size(); ++i)
    wizard.ChooseRole(i, captions[i].empty() ? "[None]" : captions[i]);
  wizard.Settings.IgnoreLines = "2";
  wizard.Settings.DecimalSeparator = ",";
  wizard.Settings.DateFormat = 1;
  ASSERT_TRUE(wizard.SaveTemplate("Broker", dialogs).ok());
  EXPECT_EQ(wizard.Templates(), std::vector<std::string>{"Broker"}) << "after saving: the file's";
  EXPECT_EQ(TemplatesText(),
            "[Broker]\r\nSep=;\r\nIgn=2\r\nDS=,\r\nDate=1\r\n"
            "Head=Date;Open;High;Low;Close;Volume;\r\n");

  wizard.Shown();
  EXPECT_EQ(wizard.Templates(), (std::vector<std::string>{"Default", "Broker"}));
  wizard.ChangeSeparator(",");
  EXPECT_EQ(wizard.Grid().Columns, 1u);
  wizard.Settings.IgnoreLines = "0";
  ASSERT_TRUE(wizard.ChooseTemplate("Broker").ok());
  EXPECT_EQ(wizard.Grid().Columns, 7u) << "the grid follows the template's separator";
  EXPECT_EQ(wizard.Captions(), captions);
  EXPECT_EQ(wizard.Settings.Separator, ";");
  EXPECT_EQ(wizard.Settings.IgnoreLines, "2");
  EXPECT_EQ(wizard.Settings.DecimalSeparator, ",");
  EXPECT_EQ(wizard.Settings.DateFormat, 1);

  // "Default" is never deleted, even when the file has it.
  ASSERT_TRUE(wizard.SaveTemplate("Default", dialogs).ok());
  ASSERT_TRUE(wizard.DeleteTemplate("default").ok());
  EXPECT_EQ(wizard.Templates(), (std::vector<std::string>{"Broker", "Default"}));
  ASSERT_TRUE(wizard.DeleteTemplate("Broker").ok());
  EXPECT_EQ(wizard.Templates(), std::vector<std::string>{"Default"});
  EXPECT_EQ(TemplatesText().find("Broker"), std::string::npos);

  for (const std::string_view bad : {"", "  ", "a]b"}) {
    dialogs.Messages.clear();
    EXPECT_FALSE(wizard.SaveTemplate(bad, dialogs).ok()) << bad;
    EXPECT_EQ(Shown(), std::vector<std::string>{"warning " + std::string(TemplateNameMessage)});
  }
}

TEST_F(Wizard, ATemplateKeepsWhatItDoesNotName) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Templates.ini",
                                  "[Short]\r\nHead=;Close;;Date;Volume;Ticker;OI;Name\r\n")
                  .ok());
  wizard.Shown();
  OpenAndNext("a,b,c,d,e\n1,2,3,4,5\n");
  wizard.Settings.DecimalSeparator = ";";
  wizard.ChooseRole(0, "Open");
  ASSERT_TRUE(wizard.ChooseTemplate("Short").ok());
  EXPECT_EQ(wizard.Captions(), (std::vector<std::string>{"", "Close", "", "Date", "Volume"}));
  EXPECT_EQ(wizard.Settings.DecimalSeparator, ";");
  EXPECT_EQ(wizard.Settings.Separator, ",");
  // A name being typed to save a new template is not loaded.
  ASSERT_TRUE(wizard.ChooseTemplate("Short2").ok());
  EXPECT_EQ(wizard.Captions(), (std::vector<std::string>{"", "Close", "", "Date", "Volume"}));
}

TEST_F(Wizard, RemembersItsSettingsInQuorexIni) {
  ASSERT_TRUE(WriteFileAtomically(folder / "Quorex.ini", "[Main]\r\nW=640\r\n").ok());
  ASSERT_TRUE(wizard.LoadMemory().ok());
  EXPECT_EQ(wizard.Memory(), ImportMemory{});
  wizard.Settings.Separator = "Tab";
  wizard.Settings.DateFormat = 2;
  wizard.Settings.DecimalSeparator = ",";
  wizard.Memory().Top = 40;
  wizard.Memory().Width = 700;
  ASSERT_TRUE(wizard.SaveMemory().ok());

  ImportWizard again(folder.Path());
  ASSERT_TRUE(again.LoadMemory().ok());
  EXPECT_EQ(again.Settings.Separator, "Tab");
  EXPECT_EQ(again.Settings.DateFormat, 2);
  EXPECT_EQ(again.Settings.DecimalSeparator, ",");
  EXPECT_EQ(again.Memory().Top, 40);
  EXPECT_EQ(again.Memory().Width, 700);
  EXPECT_EQ(IniFile::Load(folder / "Quorex.ini")->ReadString("Main", "W", ""), "640");
}

TEST_F(Wizard, ShowsLongLinesCut) {
  OpenAndNext(std::string(5000, 'x') + ",1\n");
  EXPECT_EQ(wizard.LineText(0).size(), MaxShownLineLength + 3);
  EXPECT_EQ(wizard.Grid().Columns, 2u);
}

}  // namespace
}  // namespace chartorium
