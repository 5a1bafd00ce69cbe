// The host API: persistence, Eval, Run, errors and their callback, time-out, native objects.
#include "vbscript/ScriptHost.h"

#include <gtest/gtest.h>

#include "vbscript/Conversion.h"

namespace chartorium::vbscript {
namespace {

// A macro-object stand-in: a method with a result, arrays in and out, ByRef, a property.
class BarsObject final : public NativeObject {
 public:
  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int index, std::span<Variant> args, Variant& result) override {
    ++Calls;
    switch (index) {
      case 0:  // Close(place)
        result = Variant::Double(ToDouble(args[0]) * 2);
        return;
      case 1: {  // Series(): 1..2001
        result = Variant::NewArray(1, 2001);
        ArrayRep& a = result.MutableArray();
        for (int i = 0; i < 2001; ++i) a.Data[static_cast<size_t>(i)] = Variant::Double(i + 1);
        return;
      }
      case 2: {  // Total(array)
        if (!args[0].IsArray()) ThrowRuntime(13);
        double sum = 0;
        for (const Variant& v : args[0].AsArray().Data) sum += ToDouble(v);
        result = Variant::Double(sum);
        return;
      }
      case 3:  // Fill(x): ByRef
        args[0] = Variant::Long(42);
        return;
      case 4:
        result = Variant::String(Label);
        return;
      case 5:
        Label = ToString(args[0]);
        return;
      case 6:
        ThrowRuntime(5);
    }
  }

  std::string Label = "start";
  int Calls = 0;

 private:
  static constexpr NativeMember Table[] = {
      {"Close", MemberKind::Method, 1, -1, true},
      {"Series", MemberKind::Method, 0, -1, true},
      {"Total", MemberKind::Method, 1, -1, true},
      {"Fill", MemberKind::Method, 1, -1, false, 1u},
      {"Label", MemberKind::PropertyGet, 0, -1, true},
      {"Label", MemberKind::PropertyPut, 1, -1, false},
      {"Fail", MemberKind::Method, 0, -1, false},
  };
};

double EvalNumber(ScriptHost& host, std::string_view expression) {
  const ScriptResult r = host.Eval(expression);
  EXPECT_TRUE(r.Ok) << expression << ": " << host.LastError().Description;
  return r.Ok ? ToDouble(r.Value) : -1;
}

TEST(ScriptHostTest, KeepsGlobalsAndProceduresAcrossCalls) {
  ScriptHost host;
  ASSERT_TRUE(host.AddCode("Dim total : total = 5"));
  ASSERT_TRUE(
      host.AddCode("Sub AddTo(n) : total = total + n : End Sub\n"
                   "Function Twice(x) : Twice = x * 2 : End Function"));
  const Variant three = Variant::Integer(3);
  ASSERT_TRUE(host.Run("AddTo", std::span<const Variant>(&three, 1)).Ok);
  EXPECT_EQ(EvalNumber(host, "total"), 8);
  const ScriptResult twice = host.Run("twice", std::span<const Variant>(&three, 1));
  ASSERT_TRUE(twice.Ok);
  EXPECT_EQ(ToDouble(twice.Value), 6);
  EXPECT_TRUE(host.HasProcedure("ADDTO"));
  // A later definition replaces the earlier one for all code.
  ASSERT_TRUE(host.AddCode("Function Twice(x) : Twice = x * 20 : End Function"));
  EXPECT_EQ(EvalNumber(host, "Twice(3)"), 60);
  host.Reset();
  EXPECT_FALSE(host.HasProcedure("AddTo"));
  const ScriptResult after = host.Eval("total");
  ASSERT_TRUE(after.Ok);
  EXPECT_TRUE(after.Value.IsEmpty());
}

TEST(ScriptHostTest, ConstantsFromExecuteStatementReachLaterCode) {
  ScriptHost host;
  ASSERT_TRUE(host.ExecuteStatement("Const Last=2001"));
  ASSERT_TRUE(host.ExecuteStatement("Const MaxBars=2001"));
  ASSERT_TRUE(host.AddCode("Dim seen\nSub Main()\n  seen = Last + MaxBars\nEnd Sub"));
  ASSERT_TRUE(host.Run("Main").Ok);
  EXPECT_EQ(EvalNumber(host, "seen"), 4002);
  const ScriptResult last = host.Eval("Last");
  ASSERT_TRUE(last.Ok);
  EXPECT_EQ(last.Value.Type(), VarType::Integer);
  EXPECT_FALSE(host.AddCode("Last = 5"));
}

// The tester reads CurrentBar after every native call: a handle found once follows the
// variable through global code, procedures and later blocks, and Reset makes it stale.
TEST(ScriptHostTest, GlobalHandleReadsTheVariableAsItChanges) {
  ScriptHost host;
  const GlobalHandle early = host.FindGlobal("CurrentBar");  // before any code names it
  ASSERT_TRUE(early.Valid());
  EXPECT_TRUE(host.GlobalValue(early).IsEmpty());
  ASSERT_TRUE(host.ExecuteStatement("CurrentBar=0\nSignal=0"));
  EXPECT_EQ(host.GlobalValue(early).Type(), VarType::Integer);
  ASSERT_TRUE(
      host.AddCode("Sub Main()\n  For CurrentBar = 1 To 40 : Next\n  Signal = \"buy\"\n"
                   "End Sub\nConst Level = 3\nDim declaredLater"));
  const GlobalHandle signal = host.FindGlobal("SIGNAL");
  EXPECT_EQ(host.FindGlobal("currentbar").Slot, early.Slot);
  ASSERT_TRUE(host.Run("Main").Ok);
  EXPECT_EQ(ToDouble(host.GlobalValue(early)), 41);
  EXPECT_EQ(ToString(host.GlobalValue(signal)), "buy");
  EXPECT_TRUE(host.GlobalValue(host.FindGlobal("declaredLater")).IsEmpty());
  // Names that are no variables give no handle, and reading one gives Empty.
  for (const char* name : {"Main", "Level", "", "vbCrLf", "Len", "Err"}) {
    const GlobalHandle none = host.FindGlobal(name);
    EXPECT_FALSE(none.Valid()) << name;
    EXPECT_TRUE(host.GlobalValue(none).IsEmpty()) << name;
  }
  // Asking for a built-in name did not hide the built-in.
  EXPECT_EQ(ToDouble(host.Eval("Len(vbCrLf)").Value), 2);
  // A name only reserved by a handle stays undeclared under Option Explicit.
  const GlobalHandle reserved = host.FindGlobal("neverAssigned");
  EXPECT_FALSE(host.AddCode("Option Explicit\nx = neverAssigned"));
  EXPECT_EQ(host.LastError().Number, 500);
  EXPECT_TRUE(host.GlobalValue(reserved).IsEmpty());
  host.Reset();
  ASSERT_TRUE(host.ExecuteStatement("CurrentBar=7"));
  EXPECT_TRUE(host.GlobalValue(early).IsEmpty());  // stale after Reset
  EXPECT_EQ(ToDouble(host.GlobalValue(host.FindGlobal("CurrentBar"))), 7);
}

// Numbers and dates are written and read as the host's regional settings say; US English
// stays the default, and Reset keeps the settings.
TEST(ScriptHostTest, LocaleShapesNumberAndDateTexts) {
  ScriptLocale german;
  german.DecimalSeparator = ',';
  german.ThousandsSeparator = '.';
  german.DateSeparator = '.';
  german.Order = DateOrder::DayMonthYear;
  german.TwoDigitDayMonth = true;
  german.TwelveHourClock = false;
  german.CurrencySymbol = "EUR";
  german.CurrencySymbolFirst = false;
  ScriptHost host;
  host.SetLocale(german);
  host.Reset();
  struct Case {
    const char* Expression;
    const char* German;
    const char* Us;
  };
  const Case cases[] = {
      {"CStr(1.5) & \"|\" & 2.25 & \"|\" & CCur(3.25)", "1,5|2,25|3,25", "1.5|2.25|3.25"},
      {"CDbl(\"2,25\") * 2 & \"|\" & (\"1,5\" + 1) & \"|\" & (\"1,5\" + \"1\")", "4,5|2,5|1,51",
       ""},
      {"CInt(\"2,5\") & \"|\" & CLng(\"-3,5\")", "2|-4", ""},
      {"IsNumeric(\"1,5\") & \"|\" & IsNumeric(\"1.5\")", "True|False", "False|True"},
      {"FormatNumber(1234567.891) & \"|\" & FormatPercent(0.5) & \"|\" & FormatCurrency(-5)",
       "1.234.567,89|50,00%|(5,00 EUR)", "1,234,567.89|50.00%|($5.00)"},
      {"CStr(DateSerial(2000, 1, 31)) & \"|\" & (DateSerial(2000, 1, 31) + TimeSerial(13, 5, 9))",
       "31.01.2000|31.01.2000 13:05:09", "1/31/2000|1/31/2000 1:05:09 PM"},
      {"Month(CDate(\"3.4.2001\")) & \"|\" & Day(\"3/4/2001\") & \"|\" & IsDate(\"31/1/2000\")",
       "4|3|True", "3|4|False"},
      {"FormatDateTime(#2000-01-01#, vbLongDate) & \"|\" & FormatDateTime(0.75, vbLongTime)",
       "Saturday, 01 January 2000|18:00:00", "Saturday, January 01, 2000|6:00:00 PM"},
  };
  ScriptHost us;
  for (const Case& c : cases) {
    const ScriptResult local = host.Eval(c.Expression);
    ASSERT_TRUE(local.Ok) << c.Expression << ": " << host.LastError().Description;
    EXPECT_EQ(ToString(local.Value), c.German) << c.Expression;
    if (*c.Us == '\0') continue;
    const ScriptResult plain = us.Eval(c.Expression);
    ASSERT_TRUE(plain.Ok) << c.Expression << ": " << us.LastError().Description;
    EXPECT_EQ(ToString(plain.Value), c.Us) << c.Expression;
  }
  // In the comma locale a point is no decimal separator.
  EXPECT_FALSE(host.Eval("CDbl(\"1.5\")").Ok);
  EXPECT_EQ(host.LastError().Number, 13);
}

TEST(ScriptHostTest, ReportsErrorsThroughTheCallbackBeforeReturning) {
  ScriptHost host;
  std::vector<ScriptErrorInfo> seen;
  host.SetErrorHandler([&](const ScriptErrorInfo& e) { seen.push_back(e); });
  EXPECT_FALSE(host.AddCode("Sub A() : End Sub\nx = 1\ny = 2 +"));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Number, 1023);
  EXPECT_EQ(seen[0].Line, 3);
  EXPECT_FALSE(host.HasProcedure("A")) << "a block with a syntax error adds nothing";
  EXPECT_FALSE(host.Run("Missing").Ok);
  EXPECT_EQ(host.LastError().Number, 35);
  ASSERT_TRUE(host.AddCode("Sub Two(a, b) : End Sub\nSub Boom()\n  x = 1\n  x = x / 0\nEnd Sub"));
  EXPECT_FALSE(host.Run("Two").Ok);
  EXPECT_EQ(host.LastError().Number, 450);
  EXPECT_FALSE(host.Run("Boom").Ok);
  EXPECT_EQ(host.LastError().Number, 11);
  EXPECT_EQ(host.LastError().Line, 4);
  EXPECT_EQ(host.LastError().Column, 2);
  EXPECT_EQ(seen.size(), 4u);
}

TEST(ScriptHostTest, TimeOutAndCancelEndRunawayScripts) {
  ScriptHost host;
  EXPECT_EQ(host.Timeout(), 10000);
  host.SetTimeout(50);
  EXPECT_FALSE(host.AddCode("On Error Resume Next\nDo\nLoop"));
  EXPECT_EQ(host.LastError().Number, TimeoutErrorNumber);
  EXPECT_FALSE(
      host.AddCode("Sub Spin() : Spin : End Sub\nFunction F(n) : F = F(n) : End Function"
                   "\nx = 0\nWhile True : x = x + 1 : Wend"));
  EXPECT_EQ(host.LastError().Number, TimeoutErrorNumber);
  std::atomic<bool> cancel{true};
  host.SetTimeout(0);
  host.SetCancelFlag(&cancel);
  EXPECT_FALSE(host.AddCode("For i = 1 To 10000000 : Next"));
  EXPECT_EQ(host.LastError().Number, CancelErrorNumber);
  cancel = false;
  EXPECT_TRUE(host.AddCode("For i = 1 To 1000 : Next"));
}

TEST(ScriptHostTest, TimeOutAndCancelStopRecursionThroughPlainCalls) {
  // Fib's calls take the lean call path; each call still counts towards the checks.
  ScriptHost host;
  ASSERT_TRUE(
      host.AddCode("Function Fib(n)\n  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)\n"
                   "End Function"));
  host.SetTimeout(50);
  EXPECT_FALSE(host.AddCode("On Error Resume Next\nx = Fib(60)"));
  EXPECT_EQ(host.LastError().Number, TimeoutErrorNumber);
  std::atomic<bool> cancel{true};
  host.SetTimeout(0);
  host.SetCancelFlag(&cancel);
  EXPECT_FALSE(host.AddCode("On Error Resume Next\ny = Fib(60) + Fib(2)"));
  EXPECT_EQ(host.LastError().Number, CancelErrorNumber);
  cancel = false;
  EXPECT_TRUE(host.AddCode("z = Fib(10) + Fib(1)"));
  EXPECT_EQ(ToDouble(host.Eval("z").Value), 56);
}

TEST(ScriptHostTest, DeepRecursionIsOutOfStackSpace) {
  ScriptHost host;
  ASSERT_TRUE(host.AddCode("Function Down(n) : Down = Down(n + 1) : End Function"));
  const Variant one = Variant::Integer(1);
  EXPECT_FALSE(host.Run("Down", std::span<const Variant>(&one, 1)).Ok);
  EXPECT_EQ(host.LastError().Number, 28);
  // The engine is usable afterwards.
  EXPECT_EQ(EvalNumber(host, "1 + 1"), 2);
}

TEST(ScriptHostTest, CallsNativeMembersGloballyAndByName) {
  ScriptHost host;
  auto bars = std::make_shared<BarsObject>();
  ASSERT_TRUE(host.AddObject("KVX", bars, true));
  EXPECT_FALSE(host.AddObject("kvx", bars, true));
  ASSERT_TRUE(
      host.AddCode("Dim a, b, s, t, f, lbl\n"
                   "a = Close(10) : b = KVX.close(4)\n"
                   "s = Series() : t = Total(s)\n"
                   "Fill f\n"
                   "lbl = Label : KVX.Label = \"end\"\n"
                   "Function Avg(p, n)\n"
                   "  Dim i, sum : sum = 0\n"
                   "  For i = p - n + 1 To p : sum = sum + s(i) : Next\n"
                   "  Avg = sum / n\n"
                   "End Function"));
  EXPECT_EQ(EvalNumber(host, "a"), 20);
  EXPECT_EQ(EvalNumber(host, "b"), 8);
  EXPECT_EQ(EvalNumber(host, "LBound(s) * 10000 + UBound(s)"), 12001);
  EXPECT_EQ(EvalNumber(host, "t"), 2001.0 * 2002.0 / 2);
  EXPECT_EQ(EvalNumber(host, "f"), 42);
  EXPECT_EQ(EvalNumber(host, "Avg(2001, 20)"), 1991.5);
  EXPECT_EQ(ToString(host.Eval("lbl").Value), "start");
  EXPECT_EQ(bars->Label, "end");
  EXPECT_FALSE(host.AddCode("x = 1\nFail"));
  EXPECT_EQ(host.LastError().Number, 5);
  EXPECT_EQ(host.LastError().Line, 2);
  EXPECT_FALSE(host.AddCode("KVX.Nope 1"));
  EXPECT_EQ(host.LastError().Number, 438);
  EXPECT_FALSE(host.AddCode("x = Close(1, 2)"));
  EXPECT_EQ(host.LastError().Number, 450);
}

// A member that runs script of its own host while a script is running, as a macro asking the
// tester for a signal does.
class ReentrantObject final : public NativeObject {
 public:
  explicit ReentrantObject(ScriptHost& host) : host_(host) {}
  std::span<const NativeMember> Members() const override { return Table; }
  void Invoke(int, std::span<Variant> args, Variant& result) override {
    const ScriptResult inner = host_.Run("Inner", std::span<const Variant>(args.data(), 1));
    if (!inner.Ok) ThrowRuntime(host_.LastError().Number);
    result = inner.Value;
  }

 private:
  static constexpr NativeMember Table[] = {{"Outer", MemberKind::Method, 1, -1, true}};
  ScriptHost& host_;
};

TEST(ScriptHostTest, NativeMembersMayRunScriptOfTheSameHost) {
  ScriptHost host;
  ASSERT_TRUE(host.AddObject("Tester", std::make_shared<ReentrantObject>(host), true));
  ASSERT_TRUE(
      host.AddCode("Dim calls\nFunction Inner(n) : calls = calls + 1 : Inner = n * 3 : "
                   "End Function\nFunction Sum()\n  Dim i\n  For i = 1 To 10 : "
                   "Sum = Sum + Outer(i) : Next\nEnd Function"));
  const ScriptResult sum = host.Run("Sum");
  ASSERT_TRUE(sum.Ok) << host.LastError().Description;
  EXPECT_EQ(ToDouble(sum.Value), 165);
  EXPECT_EQ(EvalNumber(host, "calls"), 10);
  ASSERT_TRUE(host.AddCode("Function Inner(n) : Inner = 1 / 0 : End Function"));
  EXPECT_FALSE(host.Run("Sum").Ok);
  EXPECT_EQ(host.LastError().Number, 11);
}

TEST(ScriptHostTest, ResetRunsClassTerminators) {
  ScriptHost host;
  auto bars = std::make_shared<BarsObject>();
  ASSERT_TRUE(host.AddObject("KVX", bars, false));
  ASSERT_TRUE(
      host.AddCode("Class C\n  Private Sub Class_Terminate() : KVX.Label = \"gone\" : "
                   "End Sub\nEnd Class\nSet keep = New C"));
  EXPECT_EQ(bars->Label, "start");
  host.Reset();
  EXPECT_EQ(bars->Label, "gone");
}

TEST(ScriptHostTest, MessageBoxesGoToTheHost) {
  ScriptHost host;
  std::vector<std::string> prompts;
  HostCallbacks callbacks;
  callbacks.MsgBox = [&](const std::string& prompt, int buttons, const std::string& title) {
    prompts.push_back(prompt + "|" + std::to_string(buttons) + "|" + title);
    return 6;
  };
  callbacks.InputBox = [](const std::string&, const std::string&, const std::string& d) {
    return d + "!";
  };
  host.SetCallbacks(callbacks);
  ASSERT_TRUE(
      host.AddCode("MsgBox \"hello\"\nr = MsgBox(\"sure?\", vbYesNo, \"T\")\n"
                   "i = InputBox(\"name\", \"T\", \"bob\")"));
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_EQ(prompts[0], "hello|0|");
  EXPECT_EQ(prompts[1], "sure?|4|T");
  EXPECT_EQ(EvalNumber(host, "r"), 6);
  EXPECT_EQ(ToString(host.Eval("i").Value), "bob!");
  EXPECT_TRUE(host.SetLanguage("vbscript"));
  EXPECT_FALSE(host.SetLanguage("JScript"));
  EXPECT_FALSE(host.AddCode("Set o = CreateObject(\"Scripting.FileSystemObject\")"));
  EXPECT_EQ(host.LastError().Number, 429);
}

}  // namespace
}  // namespace chartorium::vbscript
