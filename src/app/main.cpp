// The desktop program: creates the Workspace and the long-lived windows on
// the data folder and runs the message loop.
//
//   chartorium [--chart STOCK] [--screenshot FILE] [--quit-after-first-paint]
//
// --chart opens STOCK of the library and shows its chart window, which is
// then the window --screenshot saves.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include <QApplication>
#include <QLocale>
#include <QPixmap>
#include <QTimer>

#include "app/QtDialogs.h"
#include "app/QtHttpClient.h"
#include "chart/ui/Graph.h"
#include "core/AppFolder.h"
#include "core/Clock.h"
#include "core/DateLocale.h"
#include "core/Workspace.h"
#include "core/ui/InpBox.h"
#include "core/ui/Main.h"
#include "core/ui/Progress.h"

namespace {

struct Switches {
  QString Chart;
  QString Screenshot;
  bool QuitAfterFirstPaint = false;
};

Switches ReadSwitches(const QStringList& arguments) {
  Switches switches;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--chart" && i + 1 < arguments.size())
      switches.Chart = arguments[++i];
    else if (arguments[i] == "--screenshot" && i + 1 < arguments.size())
      switches.Screenshot = arguments[++i];
    else if (arguments[i] == "--quit-after-first-paint")
      switches.QuitAfterFirstPaint = true;
  }
  return switches;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace chartorium;
  QApplication application(argc, argv);
  // Floating-point exceptions stay masked, as they are by default: a division
  // by zero gives inf or NaN. The engine reads and writes numbers without the C
  // library's locale, which QApplication has set from the environment; dates
  // follow the user's settings through DateLocale.
  QApplication::setApplicationName("Chartorium");
  const Switches switches = ReadSwitches(QApplication::arguments());

  const std::filesystem::path appFolder = AppFolderFromEnvironment(CurrentExecutableFolder());
  std::error_code error;
  std::filesystem::create_directories(appFolder, error);
  InpBox input;
  Progress progress;
  QtDialogs dialogs(input, progress);
  const SystemClock clock;
  QtHttpClient http;
  WorkspacePorts ports;
  ports.Messages = &dialogs;
  ports.Today = &clock;
  ports.Http = &http;
  ports.Locale =
      LocaleFromPattern(QLocale::system().dateFormat(QLocale::ShortFormat).toStdString());
  Workspace workspace(appFolder, std::move(ports));
  Main main(workspace, dialogs, workspace.Locale, clock);
  if (!switches.Screenshot.isEmpty() || switches.QuitAfterFirstPaint) {
    QObject::connect(&main, &Main::FirstPainted, &main, [&] {
      // Let the paint and the chart window's layout finish before the window is grabbed.
      QTimer::singleShot(switches.Chart.isEmpty() ? 0 : 500, &main, [&] {
        QWidget* const shown =
            switches.Chart.isEmpty() ? static_cast<QWidget*>(&main) : main.Chart();
        if (!switches.Screenshot.isEmpty() && !shown->grab().save(switches.Screenshot))
          std::fprintf(stderr, "chartorium: cannot write %s\n", qPrintable(switches.Screenshot));
        main.close();
      });
    });
  }
  main.show();
  if (!switches.Chart.isEmpty()) {
    main.OpenStock(switches.Chart.toStdString());
    main.SGraph();
  }
  return QApplication::exec();
}
