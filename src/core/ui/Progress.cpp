// The progress box.
#include "core/ui/Progress.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace chartorium {

Progress::Progress(QWidget* parent)
    : QDialog(parent), LText(new QLabel(this)), BCancel(new QPushButton("&Cancel", this)) {
  setObjectName("Progress");
  setWindowTitle("Progress");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  LText->setObjectName("LText");
  BCancel->setObjectName("BCancel");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LText);
  layout->addWidget(BCancel, 0, Qt::AlignHCenter);
  setMinimumWidth(280);
  connect(BCancel, &QPushButton::clicked, this, &Progress::OnBCancelClicked);
}

void Progress::ShowText(std::string_view text) {
  cancelled_ = false;
  LText->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  if (!isVisible()) {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
  show();
  raise();
}

void Progress::OnBCancelClicked() {
  cancelled_ = true;
  hide();
}

}  // namespace chartorium
