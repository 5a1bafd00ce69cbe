// A ten-bar stock for the system tester's tests, with helpers that test a
// system body the way the tester window does: read the options, then Tester.
#pragma once

#include <string>

#include "core/TextHelpers.h"
#include "macro/MacroFixture.h"
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
    return Tester(Ws(), options, TestRange{from, to}, "Sub Main()\n" + body + "\nEnd Sub\n");
  }

  /// Field n (from 1) of the statistics text.
  std::string Field(int n) { return FieldOf(Lister(Ws()), n, ";"); }

  TesterOptions options;
};

}  // namespace chartorium::testing
