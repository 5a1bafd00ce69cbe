// Script errors as values: the message layout, how the errors of nested and
// following runs add up, and how they are shown.
#include "core/MacroStatus.h"

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"

namespace chartorium {
namespace {

const MacroError DivisionByZero{11, "Microsoft VBScript runtime error", "Division by zero", 12, 4,
                                ""};
const MacroError Expected{1002, "Microsoft VBScript compilation error", "Syntax error", 3, 7, ""};

std::vector<MacroError> ErrorsOf(const MacroStatus& status) {
  return {status.Errors().begin(), status.Errors().end()};
}

TEST(MacroStatusTest, TheMessageHasTheHostsLayout) {
  EXPECT_EQ(ScriptErrorText(DivisionByZero),
            "Microsoft VBScript runtime error:\r\n\r\n'Division by zero'\r\n\r\nat line:12, "
            "char:4\r\n\r\n");
  MacroError withHelp = DivisionByZero;
  withHelp.HelpFile = "help.chm";
  EXPECT_TRUE(ScriptErrorText(withHelp).ends_with("char:4\r\n\r\nhelp.chm"));
  EXPECT_EQ(ScriptErrorText(DivisionByZero, "\n"),
            "Microsoft VBScript runtime error:\n\n'Division by zero'\n\nat line:12, char:4\n\n");
}

TEST(MacroStatusTest, NestedErrorsLeaveTheRunsOutcomeAndComeBeforeItsOwn) {
  MacroStatus run;
  EXPECT_TRUE(run.ok());
  EXPECT_TRUE(run.Clean());
  run.AddNested(MacroStatus::Failed(Expected));
  EXPECT_TRUE(run.ok());
  EXPECT_FALSE(run.Clean());
  // The same indicator failing again (on the next stock of a batch) is listed once.
  run.AddNested(MacroStatus::Failed(Expected));
  run.AddNested(MacroStatus());
  EXPECT_EQ(ErrorsOf(run), std::vector<MacroError>{Expected});
  run.Fail(DivisionByZero);
  EXPECT_FALSE(run.ok());
  EXPECT_EQ(ErrorsOf(run), (std::vector<MacroError>{Expected, DivisionByZero}));

  // A failed inner run does not fail the outer one; a failed later run of the
  // same command fails the command.
  MacroStatus command;
  command.Append(MacroStatus());
  EXPECT_TRUE(command.ok());
  command.Append(run);
  EXPECT_FALSE(command.ok());
  EXPECT_EQ(ErrorsOf(command), ErrorsOf(run));
}

TEST(MacroStatusTest, EachErrorIsShownInTheErrorBox) {
  testing::FakeDialogs dialogs;
  MacroStatus status;
  status.AddNested(MacroStatus::Failed(Expected));
  status.Fail(DivisionByZero);
  ReportScriptErrors(dialogs, status);
  ASSERT_EQ(dialogs.Messages.size(), 2u);
  EXPECT_EQ(dialogs.Messages[0].Kind, "error");
  EXPECT_EQ(dialogs.Messages[0].Text, "Error: " + ScriptErrorText(Expected));
  EXPECT_EQ(dialogs.Messages[1].Text, "Error: " + ScriptErrorText(DivisionByZero));
  ReportScriptErrors(dialogs, MacroStatus());
  EXPECT_EQ(dialogs.Messages.size(), 2u);
}

}  // namespace
}  // namespace chartorium
