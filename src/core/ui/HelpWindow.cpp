// The help viewer. Links between pages stay in the viewer; links to the web
// open in the desktop's browser.
#include "core/ui/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace chartorium {

HelpWindow::HelpWindow(const QString& topic, QWidget* parent)
    : QDialog(parent), HelpText(new QTextBrowser(this)) {
  setObjectName("Help");
  setWindowTitle("Chartorium Help");
  setAttribute(Qt::WA_DeleteOnClose);
  HelpText->setObjectName("HelpText");
  HelpText->setOpenExternalLinks(true);
  HelpText->setSearchPaths({":/help"});
  HelpText->setSource(QUrl("qrc:/help/" + topic));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(HelpText);
  resize(640, 520);
}

}  // namespace chartorium
