#include "core/ui/SummaryPanel.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace chartorium {
namespace {

// Pixels of the text area (the logo at the bottom right left out) close to a colour.
int CountPixels(const QImage& image, QColor colour) {
  int count = 0;
  for (int y = 0; y < 230; ++y)
    for (int x = 0; x < 300; ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (std::abs(pixel.red() - colour.red()) < 40 &&
          std::abs(pixel.green() - colour.green()) < 40 &&
          std::abs(pixel.blue() - colour.blue()) < 40)
        ++count;
    }
  return count;
}

QImage Paint(const SummaryTexts& texts) {
  SummaryPanel panel;
  panel.resize(400, 300);
  panel.SetSummary(texts);
  QImage image(panel.size(), QImage::Format_RGB32);
  QPainter painter(&image);
  panel.Draw(painter);
  return image;
}

TEST(SummaryPanel, DrawsTheChangeInGreenOrRed) {
  const QColor green(0, 128, 0);
  const QColor red(255, 0, 0);
  struct Case {
    std::string_view Change;
    bool Negative;
  };
  for (const Case c : {Case{"5.00%", false}, Case{"-5.00%", true}}) {
    SummaryTexts texts;
    texts.HasStock = true;
    texts.NameLine = "abc";
    texts.PeriodLine = "(01/02/2024 - 03/04/2024)";
    texts.LastClose = "Last close: 10.50";
    texts.PreviousClose = "Previous close: 10.00";
    texts.ChangeLabel = "Change: ";
    texts.Change = std::string(c.Change);
    texts.ChangeIsNegative = c.Negative;
    texts.YearRange = "52 weeks Low/High: 9.00 - 12.00";
    const QImage image = Paint(texts);
    EXPECT_GT(CountPixels(image, c.Negative ? red : green), 5) << c.Change;
    EXPECT_EQ(CountPixels(image, c.Negative ? green : red), 0) << c.Change;
    EXPECT_EQ(image.pixelColor(5, 295), QColor(Qt::white));  // the white background
  }
}

TEST(SummaryPanel, WithoutAStockShowsOnlyTheTitleAndLogo) {
  SummaryTexts texts;
  texts.LastClose = "Last close: 10.50";  // not drawn without a stock
  const QImage empty = Paint(texts);
  const QImage title = Paint(SummaryTexts{});
  EXPECT_EQ(empty, title);
  texts.HasStock = true;
  EXPECT_NE(Paint(texts), title);
  // The title's colour is in the top band, and the lower text area is blank.
  EXPECT_GT(CountPixels(title, QColor(0x37, 0x1A, 0xC6)), 20);
  for (int y = 90; y < 230; ++y)
    for (int x = 0; x < 300; ++x)
      ASSERT_EQ(title.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
}

}  // namespace
}  // namespace chartorium
