// The chart window's commands: each calls the engine and redraws.
#include <QBuffer>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

#include "chart/ChartFrame.h"
#include "chart/ChartLists.h"
#include "chart/ChartView.h"
#include "chart/IndicatorPanes.h"
#include "chart/SeekDate.h"
#include "chart/render/ChartPicture.h"
#include "chart/ui/ChartArea.h"
#include "chart/ui/DateSeeker.h"
#include "chart/ui/Graph.h"
#include "chart/ui/IndicatorChooser.h"
#include "chart/ui/IndicatorsList.h"
#include "chart/ui/OptGraph.h"
#include "core/DateTexts.h"
#include "core/Dialogs.h"
#include "core/LibraryCommands.h"
#include "core/MacroStatus.h"
#include "core/PreferencesCommands.h"
#include "core/SafeFile.h"
#include "core/TextHelpers.h"
#include "core/Version.h"
#include "core/Workspace.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/LibraryModel.h"
#include "core/ui/LibraryView.h"
#include "core/ui/Options.h"

namespace chartorium {
namespace {

std::vector<std::string> NamesOf(const std::string& list) {
  std::vector<std::string> names;
  for (int k = 1;; ++k) {
    std::string name = FieldOf(list, k, ";");
    if (name.empty()) return names;
    names.push_back(std::move(name));
  }
}

}  // namespace

void Graph::ShowChart() {
  if (workspace_.Quotes().BarCount == 0) return;
  setWindowTitle(QString::fromStdString(workspace_.ChartCaption));
  RefreshStocksList();
  if (!isVisible()) settings_.Maximized ? showMaximized() : show();
  raise();
  activateWindow();
  RefreshAll();
}

void Graph::StockChanged() {
  if (!isVisible()) return;
  setWindowTitle(QString::fromStdString(workspace_.ChartCaption));
  RefreshAll();
}

void Graph::RefreshStocksList() {
  stocksModel_->Refresh();
  TVStocks->expand(stocksModel_->index(0, 0));
  if (const LibraryNode* selected = workspace_.Library.Selected())
    TVStocks->setCurrentIndex(stocksModel_->IndexOf(selected));
}

void Graph::RefreshAll() {
  workspace_.Quotes().ChartVisible = true;
  BPeriods[static_cast<size_t>(static_cast<int>(workspace_.Quotes().Period) - 1)]->setChecked(true);
  indicators_->SetEntries(IndicatorListEntries(workspace_.AppFolder()));
  indicators_->ClearFilter();
  LSystems->clear();
  for (const std::string& entry : SystemListEntries(workspace_.AppFolder()))
    LSystems->addItem(QString::fromStdString(entry));
  LSystems->setCurrentRow(0);
  systemText_.clear();
  RedrawDateSeeker();
  chart_->ForgetShownBar();
  chart_->ShowChart(ChartOptions());
  chart_->ShowLastBar();
}

PriceChartOptions Graph::ChartOptions() const {
  PriceChartOptions options;
  ChartButtons& b = options.Buttons;
  b.Type = BCandles->isChecked()  ? ChartType::Candles
           : BBars->isChecked()   ? ChartType::Bars
           : BZigZag->isChecked() ? ChartType::ZigZag
                                  : ChartType::Line;
  b.Overlays = {BBollinger->isChecked(), BShortMA->isChecked(), BLongMA->isChecked()};
  b.SpeedResistance = BSpeed->isChecked();
  b.Quadrant = BQuadrant->isChecked();
  b.FibonacciTimeZones = BFibTime->isChecked();
  b.FibonacciRetracements = BFibRetr->isChecked();
  b.FibonacciFans = BFibFan->isChecked();
  b.SupportResistance = BSupRes->isChecked();
  b.ParabolicSar = BSar->isChecked();
  options.Caption = workspace_.ChartCaption;
  options.Ticker = workspace_.OpenStockSettings.Properties.Tick;
  options.SystemText = systemText_;
  return options;
}

void Graph::RedrawDateSeeker() {
  QuoteStore& store = workspace_.Quotes();
  store.VisibleBarCount = std::max(1, workspace_.Prefs.Integer("ENbD"));
  ClampView(store);
  PBScroll->update();
  BLeft->setEnabled(store.FirstVisibleBar > 1);
  BRight->setEnabled(store.FirstVisibleBar < LastFirstVisibleBar(store));
}

void Graph::ViewChanged() {
  const QuoteStore& store = workspace_.Quotes();
  PBScroll->update();
  BLeft->setEnabled(store.FirstVisibleBar > 1);
  BRight->setEnabled(store.FirstVisibleBar < LastFirstVisibleBar(store));
  chart_->ForgetShownBar();
  chart_->Redraw();
}

void Graph::StartScroll(int direction) {
  scrollDirection_ = direction;
  TScroll->start();
}

void Graph::StopScroll() {
  if (!TScroll->isActive()) return;
  TScroll->stop();
  chart_->RepaintPanes();
}

void Graph::OnScrollTimeout() {
  const ScrollResult result = ScrollView(workspace_.Quotes(), scrollDirection_);
  if (result.Moved) ViewChanged();
  if (result.ReachedEnd) TScroll->stop();
}

void Graph::OnSeekerFirstBarChosen(int firstBar) {
  workspace_.Quotes().FirstVisibleBar = firstBar;
  ViewChanged();
}

void Graph::OnChartButtonToggled() {
  chart_->SetOptions(ChartOptions());
}

void Graph::OnPeriodTriggered(int period) {
  if (static_cast<int>(workspace_.Quotes().Period) == period) return;
  ChangePeriodicity(workspace_, static_cast<Periodicity>(period));
  RedrawDateSeeker();
  chart_->ForgetShownBar();
  chart_->RefreshIndicatorPanes();
}

void Graph::OnBMarkerToggled(bool on) {
  if (on && BCross->isChecked()) BCross->setChecked(false);
  chart_->SetMarkerOn(on);
}

void Graph::OnBCrossToggled(bool on) {
  if (on && BMarker->isChecked()) BMarker->setChecked(false);
  chart_->SetCrossOn(on);
}

void Graph::OnBSeekTriggered() {
  if (SeekADate(workspace_, dialogs_, locale_, clock_)) ViewChanged();
}

void Graph::OnBPreferencesTriggered() {
  if (!preferences_) return;
  preferences_->ShowFields();
  preferences_->exec();
}

void Graph::OnPreferencesClosed() {
  if (!isVisible() || workspace_.Quotes().BarCount == 0) return;
  RedrawDateSeeker();
  chart_->RefreshIndicatorPanes();
}

void Graph::OnBPeriodTriggered() {
  const std::string answer =
      dialogs_.Input("Number of quotes to be plotted:", workspace_.Prefs.Text("ENbD"));
  if (const Status status = ChoosePeriodToPlot(workspace_, answer); !status.ok())
    dialogs_.Error("Chartorium", status.message());
  RedrawDateSeeker();
  ViewChanged();
}

void Graph::OnBHelpTriggered() {
  auto* help = new HelpWindow("chart.html", this);  // deletes itself when closed
  help->show();
}

void Graph::OnBZoomInTriggered() {
  ZoomIn(workspace_);
  RedrawDateSeeker();
  ViewChanged();
}

void Graph::OnBZoomOutTriggered() {
  ZoomOut(workspace_);
  RedrawDateSeeker();
  ViewChanged();
}

void Graph::OnMExportTriggered() {
  if (workspace_.Quotes().BarCount <= 1) return;
  const QString chosen = QFileDialog::getSaveFileName(
      this, "Export to file", QString::fromStdString(workspace_.AppFolder().string()),
      "Jpeg files (*.jpg);;Alll files (*.*)");
  if (chosen.isEmpty()) return;
  if (const Status status = ExportPicture(chosen.toStdString()); !status.ok())
    dialogs_.Error("Chartorium", status.message());
}

Status Graph::ExportPicture(const std::filesystem::path& file) {
  const QuoteStore& store = workspace_.Quotes();
  ChartPictureLayout layout;
  layout.Width = chart_->Pane(0)->width();
  layout.PriceHeight = chart_->Pane(0)->height();
  for (int pane = 1; pane <= PaneCount; ++pane)
    layout.PaneHeights[static_cast<size_t>(pane - 1)] = chart_->Pane(pane)->height();
  const int last = std::min(store.BarCount, store.FirstVisibleBar + store.VisibleBarCount - 1);
  layout.Footer =
      std::string(ProductTitle) + " - " + store.StockName + " - " +
      DateText(store.BarSeries[static_cast<size_t>(store.FirstVisibleBar)].Date, locale_) + " to " +
      DateText(store.BarSeries[static_cast<size_t>(last)].Date, locale_);
  ChartFrameOptions options;
  options.Chart = chart_->Options();
  options.Layout = PictureChartLayout(layout, chart_->Panes().Visible);
  options.Text = PictureTextHeights(workspace_.Prefs.Text("BFon"));
  const ChartFrame frame = PrepareChartFrame(workspace_, chart_->Panes(), locale_, options);
  if (frame.SystemFailure)
    OnChartSystemFailed(QString::fromStdString(ScriptErrorText(*frame.SystemFailure)));
  const QImage picture = DrawChartPicture(frame, layout);
  // Encoded in memory and written beside the target first, so a failed
  // export never leaves half a picture under the chosen name.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "JPG", 92))
    return Status::IoError("the chart could not be encoded as a JPEG picture");
  return WriteFileAtomically(
      file, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

void Graph::OnLSystemsClicked() {
  workspace_.Quotes().SystemError = false;
  const QListWidgetItem* item = LSystems->currentItem();
  systemText_ = item ? ReadSystemText(workspace_.AppFolder(), item->text().toStdString()) : "";
  chart_->SetOptions(ChartOptions());
}

void Graph::OnTVStocksClicked() {
  workspace_.Library.Select(LibraryModel::NodeOf(TVStocks->currentIndex()));
  if (OpenSelectedStock({workspace_, dialogs_, *observer_}) != CommandResult::Done) return;
  StockChanged();
  emit StockOpened();
}

void Graph::OnIndicatorAddRequested(const QString& name) {
  if (AddIndicatorPane(workspace_, name.toStdString()) == PaneEdit::Done) PanesEdited();
}

void Graph::OnIndicatorDropped(int pane, const QString& name) {
  const PaneEdit edit = pane == 0 ? AddIndicatorPane(workspace_, name.toStdString())
                                  : AppendToPane(workspace_, pane, name.toStdString());
  if (edit == PaneEdit::Done) PanesEdited();
}

void Graph::PanesEdited() {
  chart_->ForgetShownBar();
  chart_->RefreshIndicatorPanes();
}

void Graph::OnPaneMenuRequested(int pane, const QPoint& global) {
  const std::vector<std::string> names =
      NamesOf(workspace_.OpenStockSettings.Slots[static_cast<size_t>(SlotOfPane(pane))].Names);
  if (names.empty()) return;
  QMenu menu(this);
  QAction* remove = menu.addAction("&Remove an indicator");
  QAction* removePane = menu.addAction("Remove the &panel");
  QAction* options = menu.addAction("&Options");
  const QAction* chosen = menu.exec(global);
  if (chosen == removePane) {
    RemovePane(workspace_, pane);
    return PanesEdited();
  }
  if (chosen != remove && chosen != options) return;
  const bool removing = chosen == remove;
  const auto act = [this, pane, removing](int item) {
    removing ? RemoveIndicator(pane, item) : EditIndicator(pane, item);
  };
  if (names.size() == 1) return act(1);
  auto* chooser = new IndicatorChooser(removing ? "Remove an indicator" : "Indicator's options",
                                       names, act, this);  // deletes itself when closed
  chooser->move(global);
  chooser->show();
}

void Graph::RemoveIndicator(int pane, int item) {
  RemoveFromPane(workspace_, SlotOfPane(pane), item);
  PanesEdited();
}

void Graph::EditIndicator(int pane, int item) {
  const int slot = SlotOfPane(pane);
  const std::string name =
      FieldOf(workspace_.OpenStockSettings.Slots[static_cast<size_t>(slot)].Names, item, ";");
  if (!optGraph_) optGraph_ = new OptGraph(workspace_, this);
  if (optGraph_->Edit(slot, item, name)) PanesEdited();
}

void Graph::OnChartSystemFailed(const QString& message) {
  dialogs_.Error("Error", message.toStdString());
}

void Graph::OnBarShown(const QString& datePanel, const QString& pricePanel,
                       const QString& dataWindow) {
  SBDate->setText(datePanel);
  SBPrices->setText(pricePanel);
  QString text = dataWindow;
  MDatas->setPlainText(text.replace("\r\n", "\n"));
}

}  // namespace chartorium
