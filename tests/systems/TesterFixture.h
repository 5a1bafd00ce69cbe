// A ten-bar stock for the system tester's tests, with helpers that test a
// system body the way the tester window does: read the options, then Tester.
#pragma once

#include <string>

#include "macro/MacroFixture.h"
#include "systems/TestStatistics.h"
#include "systems/Tester.h"

namespace chartorium::testing {

class TesterFixture : public MacroFixture {
 protected:
  // Closes 10 11 12 13 14 12 11 11 18 20, opens half a point lower, bars
  // dated 07/07/2009 .. 16/07/2009.
  TesterFixture() {
    SetCloses({10, 11, 12, 13, 14, 12, 11, 11, 18, 20});
    options.InitialAmount = "1000";
  }

  /// Tests a system whose Main has this body over from..to (the whole stock by default).
  bool Test(const std::string& body, int from = 1, int to = 10) {
    ReadTesterOptions(options, Ws());
    return Shown(Tester(Ws(), options, TestRange{from, to}, "Sub Main()\n" + body + "\nEnd Sub\n"));
  }

  using Row = StatisticsRow;
  /// The texts of the last test's statistics.
  StatisticsTexts Texts() { return FormatStatistics(Lister(Ws())); }
  /// Its labelled lines, each as "label<TAB>value" and a line feed.
  std::string Lines() {
    std::string text;
    for (const StatisticsLine& line : StatisticsLines(Texts()))
      text += line.Label + "\t" + line.Value + "\n";
    return text;
  }

  TesterOptions options;
};

}  // namespace chartorium::testing
