// The host API: persistence, Eval, Run, errors and their callback, time-out, native objects.
#include "vbscript/ScriptHost.h"

#include <gtest/gtest.h>

#include "support/CommaLocale.h"
#include "vbscript/Conversion.h"
#include "vbscript/RegExpCompiler.h"
#include "vbscript/RegExpMatcher.h"

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

// The tester adds the same system for every stock: code that can no longer run is freed,
// while a procedure still reachable through GetRef keeps its code.
TEST(ScriptHostTest, FreesCodeThatCanNoLongerRun) {
  ScriptHost host;
  ASSERT_TRUE(
      host.AddCode("Dim total, x\nFunction Kept() : Kept = 1 : End Function\n"
                   "Set first = GetRef(\"Kept\")"));
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(host.ExecuteStatement("n = " + std::to_string(i)));
    ASSERT_TRUE(host.AddCode("Sub Main() : total = total + n : End Sub\nMain"));
    ASSERT_TRUE(host.Run("Main").Ok);
  }
  EXPECT_EQ(EvalNumber(host, "total"), 2 * (299 * 300 / 2));
  EXPECT_EQ(host.CompiledBlockCount(), 2u);  // Kept's block and the latest Main's

  ASSERT_TRUE(host.AddCode("Function Kept() : Kept = 2 : End Function"));
  ASSERT_TRUE(
      host.AddCode("Sub Repeat() : For i = 1 To 50 : Execute \"x = x + 1\" : Next : End Sub"));
  ASSERT_TRUE(host.Run("Repeat").Ok);
  EXPECT_EQ(EvalNumber(host, "first() * 10 + Kept() + x"), 62);
  EXPECT_EQ(host.CompiledBlockCount(), 4u);  // the old Kept lives on through `first`
  ASSERT_TRUE(host.ExecuteStatement("Set first = Nothing"));
  EXPECT_EQ(host.CompiledBlockCount(), 3u);
  EXPECT_EQ(EvalNumber(host, "Kept()"), 2);
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

// A system's parameters kept as constants reach its procedures whichever block of added code
// declares them: the procedure's own, an earlier one or a later one.
TEST(ScriptHostTest, ScriptConstantsReachProceduresOfEveryBlock) {
  ScriptHost host;
  ASSERT_TRUE(host.AddCode("Const Upper = 70"));
  ASSERT_TRUE(
      host.AddCode("Option Explicit\n"
                   "Dim seen\n"
                   "Sub Main()\n"
                   "  seen = Period * 100 + Upper + Lower\n"
                   "End Sub\n"
                   "Public Const Period = 14, Lower = 30"));
  ASSERT_TRUE(host.AddCode("Function Later() : Later = Limit - Period : End Function"));
  ASSERT_TRUE(host.AddCode("Private Const Limit = 20"));
  ASSERT_TRUE(host.Run("Main").Ok) << host.LastError().Description;
  EXPECT_EQ(EvalNumber(host, "seen"), 1500);
  const ScriptResult later = host.Run("Later");
  ASSERT_TRUE(later.Ok) << host.LastError().Description;
  EXPECT_EQ(ToDouble(later.Value), 6);
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

// A process whose C library writes "1,5" (a desktop started in Germany) changes nothing: number
// literals, conversions and number texts follow the script's locale alone.
TEST(ScriptHostTest, NumbersIgnoreTheCLibraryLocale) {
  const testing::ScopedCommaLocale comma;
  ASSERT_TRUE(comma.Active()) << "cannot load " << testing::CommaLocaleName;
  struct Case {
    const char* Expression;
    const char* Expected;
  };
  const Case cases[] = {
      {"1.5 > 1.2 And 0.5 = .5 And 1e-2 = 0.01 And 2.5e3 = 2500", "True"},
      {"CStr(1.5) & \"|\" & 0.1 + 0.2 & \"|\" & 1E+15 & \"|\" & 0.00001", "1.5|0.3|1E+15|1E-05"},
      {"CSng(2.25) & \"|\" & CSng(654322.23456) & \"|\" & CSng(1E+20) & \"|\" & CCur(0.125)",
       "2.25|654322.3|1E+20|0.125"},
      {"CDbl(\"1.5\") * 2 & \"|\" & (\"2.5\" + 1) & \"|\" & CDbl(\"1e-3\")", "3|3.5|0.001"},
      {"FormatNumber(1234.5) & \"|\" & FormatNumber(0.125, 2) & \"|\" & FormatPercent(0.256)",
       "1,234.50|0.13|25.60%"},
      {"SetLocale(1031) & \"|\" & CStr(1.5) & \"|\" & CDbl(\"1,5\") * 2 & \"|\" & 1.5 * 2",
       "1033|1,5|3|3"},
  };
  ScriptHost host;
  for (const Case& c : cases) {
    const ScriptResult r = host.Eval(c.Expression);
    ASSERT_TRUE(r.Ok) << c.Expression << ": " << host.LastError().Description;
    EXPECT_EQ(ToString(r.Value), c.Expected) << c.Expression;
  }
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

// Every locale SetLocale knows is found by its id and by its name, and nothing else is.
TEST(ScriptHostTest, LocaleTableFindsEachLocaleByIdAndName) {
  struct Case {
    int Lcid;
    const char* Name;
  };
  constexpr Case cases[] = {{1033, "en-US"}, {2057, "en-GB"}, {1036, "fr-FR"}, {1031, "de-DE"},
                            {2055, "de-CH"}, {1040, "it-IT"}, {3082, "es-ES"}, {1043, "nl-NL"},
                            {1046, "pt-BR"}, {1053, "sv-SE"}};
  for (const Case& c : cases) {
    const std::optional<ScriptLocale> byId = FindScriptLocale(c.Lcid);
    const std::optional<ScriptLocale> byName = FindScriptLocale(c.Name);
    ASSERT_TRUE(byId && byName) << c.Name;
    EXPECT_EQ(byId->Lcid, c.Lcid) << c.Name;
    EXPECT_EQ(byName->Lcid, c.Lcid) << c.Name;
  }
  EXPECT_FALSE(FindScriptLocale(0));
  EXPECT_FALSE(FindScriptLocale(9999));
  EXPECT_FALSE(FindScriptLocale("de"));
  EXPECT_FALSE(FindScriptLocale(""));
}

// SetLocale(0) and Reset return to the host's own settings, even ones no table holds; date
// literals are read in the host's order when the code compiles.
TEST(ScriptHostTest, HostLocaleIsWhatSetLocaleZeroAndResetReturnTo) {
  ScriptLocale swissEuro = *FindScriptLocale(2055);
  swissEuro.CurrencySymbol = "EUR";
  ScriptHost host;
  host.SetLocale(swissEuro);
  EXPECT_EQ(EvalNumber(host, "GetLocale()"), 2055);
  ASSERT_TRUE(host.AddCode("d = #31.01.2000#\nprevious = SetLocale(\"fr-fr\")"));
  EXPECT_EQ(EvalNumber(host, "previous"), 2055);
  EXPECT_EQ(ToString(host.Eval("CStr(1.5) & \"|\" & Month(d) & \"|\" & Day(#3.4.2001#)").Value),
            "1,5|1|3");
  EXPECT_EQ(EvalNumber(host, "SetLocale(0)"), 1036);
  EXPECT_EQ(ToString(host.Eval("FormatCurrency(1234.5)").Value), "EUR 1'234.50");
  ASSERT_TRUE(host.ExecuteStatement("SetLocale 1031"));
  host.Reset();
  EXPECT_EQ(EvalNumber(host, "GetLocale()"), 2055);
  EXPECT_EQ(ToString(host.Eval("CStr(1.5) & \"|\" & FormatCurrency(-2)").Value), "1.5|EUR -2.00");
  // Code that Execute and Eval compile while the script runs reads literals the same way.
  ASSERT_TRUE(
      host.AddCode("SetLocale 1033\nExecute \"e = #31.01.2000#\"\n"
                   "v = Eval(\"Month(#3.4.2001#)\")"));
  EXPECT_EQ(EvalNumber(host, "Day(e) * 100 + v"), 3104);
  // A US host reads the same literal as month 31 and refuses it.
  ScriptHost us;
  EXPECT_FALSE(us.AddCode("d = #31.01.2000#"));
  EXPECT_EQ(us.LastError().Number, 1002);
}

// What a locale writes it reads back: numbers, money and dates, in every locale known.
TEST(ScriptHostTest, EachLocaleReadsBackTheTextsItWrites) {
  for (const int lcid : {1033, 2057, 1036, 1031, 2055, 1040, 3082, 1043, 1046, 1053}) {
    ScriptHost host;
    host.SetLocale(*FindScriptLocale(lcid));
    ASSERT_TRUE(host.AddCode(
        "x = -1234567.25 : d = DateSerial(2024, 12, 3) + TimeSerial(17, 4, 5)\n"
        "back = Array(CDbl(CStr(x)), CDbl(FormatNumber(x)), CCur(FormatCurrency(x)), "
        "CDate(CStr(d)), CDate(FormatDateTime(d, vbLongDate)), CDate(FormatDateTime(d, "
        "vbShortDate)), CDate(MonthName(12) & \" 3, 2024\"), CDate(\"3 \" & MonthName(12, True) "
        "& \" 2024\"))"))
        << lcid << ": " << host.LastError().Description << " line " << host.LastError().Line;
    const char* checks[] = {"back(0) = x",        "back(1) = x",
                            "back(2) = x",        "back(3) = d",
                            "back(4) = Int(d)",   "back(5) = Int(d)",
                            "back(6) = Int(d)",   "back(7) = Int(d)",
                            "IsNumeric(CStr(x))", "IsNumeric(FormatCurrency(x))",
                            "IsDate(CStr(d))",    "CBool(CStr(True)) And Not CBool(CStr(False))"};
    for (const char* check : checks) {
      const ScriptResult r = host.Eval(check);
      ASSERT_TRUE(r.Ok) << lcid << " " << check << ": " << host.LastError().Description;
      EXPECT_TRUE(ToBoolean(r.Value)) << lcid << " " << check;
    }
  }
}

// `(a+)+b` over a run of a's backtracks for ages: the matcher checks the host's time-out and
// cancel flag as it goes, so neither On Error Resume Next nor a long match keeps it running.
TEST(ScriptHostTest, TimeOutAndCancelEndARunawayRegularExpression) {
  ScriptHost host;
  host.SetTimeout(100);
  ASSERT_TRUE(host.AddCode("Set re = New RegExp : re.Pattern = \"(a+)+b\""));
  EXPECT_FALSE(host.ExecuteStatement("On Error Resume Next : x = re.Test(String(40, \"a\"))"));
  EXPECT_EQ(host.LastError().Number, TimeoutErrorNumber);
  std::atomic<bool> cancel{true};
  host.SetTimeout(0);
  host.SetCancelFlag(&cancel);
  EXPECT_FALSE(host.ExecuteStatement("x = re.Replace(String(40, \"a\"), \"\")"));
  EXPECT_EQ(host.LastError().Number, CancelErrorNumber);
  cancel = false;
  ASSERT_TRUE(
      host.ExecuteStatement("re.Pattern = \"a+b\" : n = re.Test(String(40, \"a\") & \"b\")"));
  EXPECT_EQ(EvalNumber(host, "n"), -1);
}

// The backtracking entries one match may use are bounded: beyond the bound the match is error
// 28 instead of a machine out of memory, and the matcher serves the next text as usual.
TEST(ScriptHostTest, RegularExpressionBacktrackingIsBounded) {
  const RegexProgram program = CompileRegex(u"(a|b)*c", {});
  const std::u16string longText = std::u16string(100, u'a') + u"c";
  std::vector<int32_t> captures;
  RegexMatcher small(program, nullptr, 64);
  try {
    static_cast<void>(small.Search(longText, 0, captures));
    ADD_FAILURE() << "a match needing more than 64 entries went through";
  } catch (const ScriptError& error) {
    EXPECT_EQ(error.Number, 28);
  }
  ASSERT_TRUE(small.Search(u"xabc", 0, captures));
  EXPECT_EQ(captures, (std::vector<int32_t>{1, 4, 2, 3}));
  RegexMatcher roomy(program, nullptr);
  ASSERT_TRUE(roomy.Search(longText, 0, captures));
  EXPECT_EQ(captures, (std::vector<int32_t>{0, 101, 99, 100}));
}

}  // namespace
}  // namespace chartorium::vbscript
