#include "quotes/ImportGuess.h"

#include <gtest/gtest.h>

#include "core/DateLocale.h"
#include "quotes/ImportText.h"

namespace chartorium {
namespace {

ImportText TextOf(std::string_view bytes) {
  return ImportText::FromBytes(std::string(bytes)).value();
}

TEST(ImportGuess, DetectsTheSeparatorWithTheMostLeadingFields) {
  struct Case {
    std::string_view line;
    std::string_view separator;
  };
  const Case cases[] = {
      {"Date,Open,High,Low,Close", ","},
      {"Date;Open;High;Low;Close", ";"},
      {"Date\tOpen\tHigh\tClose", "Tab"},
      {"Date Open High Close", "Space"},
      {"a,b;c;d", ";"},
      {"a,b;c", ","},  // a tie goes to the earlier entry
      {"01.02.2020|1|2|3", "|"},
      {"\"a,b\",c", ","},
      {"single", ","},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectSeparator(c.line), c.separator) << c.line;
}

TEST(ImportGuess, PresetsCaptionsFromAHeaderLine) {
  struct Case {
    std::string_view header;
    std::vector<std::string> captions;
  };
  const Case cases[] = {
      {"Date,Open,High,Low,Close,Volume", {"Date", "Open", "High", "Low", "Close", "Volume"}},
      {"Date,Open,High,Low,Close,Adj Close,Volume",
       {"Date", "Open", "High", "Low", "Close", "", "Volume"}},
      {"Ticker,Last Close,OI", {"Ticker", "Close", ""}},
      {"date,open,high,low,close,volume", {"Date", "Open", "High", "Low", "Close", "Volume"}},
      {"2020-01-02,1,2,0.5,1.5,100", {"", "", "", "", "", ""}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PresetCaptions(c.header, ',', c.captions.size()), c.captions) << c.header;
}

TEST(ImportGuess, BuildsAPreviewOfTenLinesInTheHeadersColumns) {
  std::string bytes = "Date,Close\n";
  for (int i = 0; i < 15; ++i) bytes += "2020-01-0" + std::to_string(i % 9 + 1) + ",1,extra\n";
  const PreviewGrid grid = BuildPreview(TextOf(bytes), 0, ',');
  EXPECT_EQ(grid.Columns, 2u);
  ASSERT_EQ(grid.Rows.size(), 10u);
  EXPECT_EQ(grid.Rows[0], (std::vector<std::string>{"Date", "Close"}));
  EXPECT_EQ(grid.Rows[1], (std::vector<std::string>{"2020-01-01", "1"}));
}

TEST(ImportGuess, ProposesTheDateFormatTheDatesCanOnlyBeReadIn) {
  const DateLocale locale;
  struct Case {
    std::string_view lines;
    int current;
    std::optional<int> format;
  };
  const Case cases[] = {
      {"05/01/2020,1\n13/01/2020,1\n", 1, 0},  // a day above 12 can only be DMY
      {"01/05/2020,1\n01/13/2020,1\n", 0, 1},
      {"05/01/2020,1\n06/01/2020,1\n", 1, 1},  // both read: the current one stays
      {"2020-01-13,1\n", 1, 1},                // ISO dates read in every format
      {"26-Feb-99,1\n", 2, 0},
      {"99/01/13,1\n", 0, 2},
      {"x,1\ny,1\n", 0, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProposeDateFormat(TextOf(c.lines), 0, ',', 1, c.current, locale), c.format)
        << c.lines;
}

TEST(ImportGuess, ProposesTheDecimalSeparatorOfTheNumbers) {
  struct Case {
    std::string_view lines;
    char separator;
    std::optional<char> decimal;
  };
  const Case cases[] = {
      {"13/01/2020;1.234,5;12,5\n", ';', ','},       {"13/01/2020;12,50;13,1\n", ';', ','},
      {"2020-01-13,12.5,13.25\n", ',', '.'},         {"2020-01-13,\"1,234.50\",7\n", ',', '.'},
      {"2020-01-13;1,234;100\n", ';', std::nullopt},  // a lone group tells nothing
      {"2020-01-13;1234.567;100\n", ';', '.'},       {"2020-01-13;100;200\n", ';', std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProposeDecimalSeparator(TextOf(c.lines), 0, c.separator, 1), c.decimal) << c.lines;
}

}  // namespace
}  // namespace chartorium
