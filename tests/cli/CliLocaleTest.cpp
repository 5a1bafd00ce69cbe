// chartorium-cli under a C library locale that writes "1,5": a system that reads number
// literals draws and signals exactly what it does under "C".
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "core/SafeFile.h"
#include "support/CliRunner.h"
#include "support/CommaLocale.h"
#include "support/TempFolder.h"

namespace chartorium {
namespace {

using testing::CliRun;
using testing::RunCli;

// Buys every twentieth bar and sells ten bars later, but only while 1.5 reads as more than 1.2.
constexpr std::string_view ProbeSystem =
    "Sub Main()\r\n"
    "  For CurrentBar = BeginBar To EndBar\r\n"
    "    If 1.5 > 1.2 Then\r\n"
    "      If CurrentBar Mod 20 = 0 Then\r\n"
    "        Buy CurrentBar\r\n"
    "        SetBarColor CurrentBar, clDarkGreen\r\n"
    "      ElseIf CurrentBar Mod 20 = 10 Then\r\n"
    "        Sell CurrentBar\r\n"
    "        SetBarColor CurrentBar, clDarkRed\r\n"
    "      End If\r\n"
    "    End If\r\n"
    "  Next\r\n"
    "End Sub\r\n";

struct Outputs {
  std::string Chart;    ///< the picture's bytes
  std::string Signals;  ///< the signals CSV
};

// Sets LC_ALL for the processes the test starts, and puts back what was there.
class ScopedLcAll {
 public:
  explicit ScopedLcAll(const char* value) {
    if (const char* old = std::getenv("LC_ALL")) saved_ = old;
    ::setenv("LC_ALL", value, 1);
  }
  ~ScopedLcAll() {
    if (saved_)
      ::setenv("LC_ALL", saved_->c_str(), 1);
    else
      ::unsetenv("LC_ALL");
  }
  ScopedLcAll(const ScopedLcAll&) = delete;
  ScopedLcAll& operator=(const ScopedLcAll&) = delete;

 private:
  std::optional<std::string> saved_;
};

TEST(CommandLineLocale, ChartsAndSignalsUnderACommaLocaleAsUnderC) {
  {
    const testing::ScopedCommaLocale comma;  // also lets the command line find the locale
    ASSERT_TRUE(comma.Active()) << "cannot load " << testing::CommaLocaleName;
  }
  const testing::TempFolder home, pictures;
  ASSERT_EQ(RunCli(CHARTORIUM_CLI, home.Path(), "demo-library").ExitCode, 0);
  ASSERT_TRUE(WriteFileAtomically(home / "Signals/Locale Probe", ProbeSystem).ok());

  auto run = [&](const char* locale) {
    const ScopedLcAll lcAll(locale);
    const std::filesystem::path picture = pictures / (std::string(locale) + ".png");
    const CliRun chart = RunCli(CHARTORIUM_CLI, home.Path(),
                                "chart 'Kestrel Software' --system 'Locale Probe' --bars 100 "
                                "--out '" +
                                    picture.string() + "'");
    EXPECT_EQ(chart.ExitCode, 0) << locale;
    const CliRun signals =
        RunCli(CHARTORIUM_CLI, home.Path(), "signals 'Kestrel Software' 'Locale Probe'");
    EXPECT_EQ(signals.ExitCode, 0) << locale;
    return Outputs{ReadWholeFile(picture).value_or(""), signals.Out};
  };
  const Outputs plain = run("C");
  const Outputs comma = run(testing::CommaLocaleName);
  ASSERT_FALSE(plain.Chart.empty());
  ASSERT_NE(plain.Signals.find(",1,"), std::string::npos) << "the probe system never bought";
  EXPECT_TRUE(comma.Chart == plain.Chart) << "the charts differ";
  EXPECT_EQ(comma.Signals, plain.Signals);
}

}  // namespace
}  // namespace chartorium
