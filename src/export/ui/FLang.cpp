// The language dialog.
#include "export/ui/FLang.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Dialogs.h"
#include "export/Languages.h"
#include "export/ui/WidgetTranslation.h"

namespace chartorium {

FLang::FLang(const std::filesystem::path& appFolder, Dialogs& dialogs, const std::string& language,
             QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      L1(new QLabel("Available languages:", this)),
      LBLang(new QListWidget(this)),
      BOk(new QPushButton("&Ok", this)),
      BClose(new QPushButton("&Close", this)) {
  setObjectName("FLang");
  setWindowTitle("Choose your language");
  L1->setObjectName("L1");
  LBLang->setObjectName("LBLang");
  BOk->setObjectName("BOk");
  BClose->setObjectName("BClose");
  for (const std::string& file : LanguageFiles(appFolder))
    LBLang->addItem(QString::fromStdString(file));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BOk);
  buttons->addWidget(BClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(L1);
  layout->addWidget(LBLang);
  layout->addLayout(buttons);
  connect(BOk, &QPushButton::clicked, this, &FLang::OnBOkClicked);
  connect(BClose, &QPushButton::clicked, this, &QDialog::reject);
  WidgetTranslation translation(*this);
  static_cast<void>(Translate(LanguageFilePath(appFolder, language), translation));
}

void FLang::OnBOkClicked() {
  const QListWidgetItem* item = LBLang->currentItem();
  if (!item) return;
  chosen_ = LanguageOfFile(item->text().toStdString());
  dialogs_.Information(RestartMessage);
  accept();
}

}  // namespace chartorium
