// The Workspace: its records, its ports, and the custom indicator runs it
// gives the indicator cache.
#include "core/Workspace.h"

#include "core/Clock.h"
#include "core/FileNames.h"
#include "core/HttpClient.h"
#include "core/NullDialogs.h"
#include "indicators/IndicatorCache.h"
#include "macro/MacroHosts.h"
#include "macro/MacroState.h"

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
      messages_(ports.Messages ? ports.Messages : &ownPorts_->Messages),
      today_(ports.Today ? ports.Today : &ownPorts_->Today),
      http_(ports.Http ? ports.Http : &ownPorts_->Http),
      Indicators(*indicators_),
      Macros(*macros_),
      Locale(std::move(ports.Locale)),
      Money(std::move(ports.Money)) {
  Indicators.RunCustomIndicator = &RunCustomIndicator;
}

Workspace::~Workspace() = default;

std::filesystem::path StockFilePath(const Workspace& workspace, std::string_view stockName) {
  return ResolveFileName(workspace.AppFolder(), "Stocks/" + std::string(stockName) + ".kvx");
}

}  // namespace chartorium
