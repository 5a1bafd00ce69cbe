// The signals list: each stored system's signal on the last bar.
#include "systems/SignalsList.h"

#include "systems/TestCommandsFixture.h"

namespace chartorium::testing {
namespace {

using SignalsListTest = TestCommandsFixture;

TEST_F(SignalsListTest, ListsEachStoredSystemWithItsLastBarSignal) {
  WriteSystem("Cover Buy", "Sub Main()\r\n  Cover BeginBar\r\n  Buy BeginBar\r\nEnd Sub\r\n");
  WriteSystem("Sell Last", "Sub Main()\r\n  Sell EndBar\r\nEnd Sub\r\n");
  WriteSystem("Buy Early", "Sub Main()\r\n  Buy 1\r\nEnd Sub\r\n");
  ASSERT_TRUE(WriteFileAtomically(folder / "Signals.dat",
                                  "Buy First\r\nMissing\r\nCover Buy\r\nNothing\r\nSell Last\r\n"
                                  "Buy Early\r\nBroken\r\nBuy First\r\n")
                  .ok());
  EXPECT_TRUE(ComputeSignalsList(workspace).Items.empty());  // no stock open

  Open("AAA");
  const SignalsList list = ComputeSignalsList(workspace);
  struct Expected {
    std::string_view System;
    int Signal;
    SignalPicture Picture;
  };
  // A system whose file is missing is skipped; only code 1 shows the buy
  // picture; the run covers the last bar only; the broken system ends the list.
  constexpr Expected Items[] = {{"Buy First", 1, SignalPicture::Buy},
                                {"Cover Buy", 3, SignalPicture::Sell},
                                {"Nothing", 0, SignalPicture::Neutral},
                                {"Sell Last", -1, SignalPicture::Sell},
                                {"Buy Early", 0, SignalPicture::Neutral}};
  ASSERT_EQ(list.Items.size(), std::size(Items));
  for (size_t i = 0; i < list.Items.size(); ++i) {
    EXPECT_EQ(list.Items[i].System, Items[i].System);
    EXPECT_EQ(list.Items[i].Signal, Items[i].Signal) << Items[i].System;
    EXPECT_EQ(list.Items[i].Picture, Items[i].Picture) << Items[i].System;
  }
  EXPECT_TRUE(list.Failed);
  EXPECT_EQ(list.FailedSystem, "Broken");
  EXPECT_FALSE(list.Script.ok());
  ASSERT_EQ(list.Script.Errors().size(), 1u);
  EXPECT_EQ(list.Script.Errors()[0].Line, 2);
  EXPECT_FALSE(ShownError());  // the caller shows it
}

}  // namespace
}  // namespace chartorium::testing
