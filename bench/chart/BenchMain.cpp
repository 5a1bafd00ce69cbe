// The benchmark binary's main. The chart benchmarks paint text, and Qt's
// fonts need one QGuiApplication for the whole run; it lives on main's stack
// so that it is gone before the program's static objects are destroyed.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
  // Set before the application exists: the benchmarks never open a window.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
