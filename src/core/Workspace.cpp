// The Workspace: its records, its ports, and how the records of the layers
// meet. This file is the engine's composition root: it alone of the core sees
// the layers above (the indicator cache, the macros, the system tester), and
// it is built into the library that joins them, not into the core's.
#include "core/Workspace.h"

#include "core/Clock.h"
#include "core/FileNames.h"
#include "core/HttpClient.h"
#include "core/NullDialogs.h"
#include "indicators/IndicatorCache.h"
#include "indicators/PreferenceHooks.h"
#include "macro/MacroHosts.h"
#include "macro/MacroState.h"
#include "systems/Exec.h"

namespace chartorium {

// The quiet ports of a Workspace built without them.
struct Workspace::OwnPorts {
  NullDialogs Messages;
  SystemClock Today;
  OfflineHttpClient Http;
};

Workspace::Workspace(std::filesystem::path appFolder, WorkspacePorts ports)
    : appFolder_(std::move(appFolder)),
      quotes_(std::make_unique<QuoteStore>()),
      ownPorts_(std::make_unique<OwnPorts>()),
      indicators_(std::make_unique<IndicatorCache>()),
      macros_(std::make_unique<MacroState>()),
      derived_(std::make_unique<CachedDerivedSeries>(*indicators_)),
      messages_(ports.Messages ? ports.Messages : &ownPorts_->Messages),
      today_(ports.Today ? ports.Today : &ownPorts_->Today),
      http_(ports.Http ? ports.Http : &ownPorts_->Http),
      Indicators(*indicators_),
      Macros(*macros_),
      Locale(std::move(ports.Locale)),
      Money(std::move(ports.Money)) {
  Indicators.RunCustomIndicator = &RunCustomIndicator;
  Macros.RunSystem = &Exec;
}

Workspace::~Workspace() = default;

std::filesystem::path StockFilePath(const Workspace& workspace, std::string_view stockName) {
  return ResolveFileName(workspace.AppFolder(), "Stocks/" + std::string(stockName) + ".kvx");
}

}  // namespace chartorium
