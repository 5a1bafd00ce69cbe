// Text and font helpers shared by the chart renderers: fonts by point size
// on any device, and text placed by its top-left corner.
#pragma once

#include <cstdint>
#include <string_view>

#include <Qt>

class QFont;
class QFontMetrics;
class QLine;
class QPaintDevice;
class QPainter;
class QPen;
class QString;

namespace chartorium {

struct ChartTextHeights;

/// A font of the chart: family and size in points, scaled by the device.
QFont ChartFont(std::string_view family, double points, bool bold = false, bool italic = false);

/// A pen of a 0xBBGGRR colour. A 1-pixel line from p1 to p2 leaves p2 out.
QPen ChartPen(std::uint32_t colour, Qt::PenStyle style = Qt::SolidLine, int width = 1);

/// A line from (x1, y1) to (x2, y2) that leaves the end point out whichever
/// way it runs, as the program's canvas does (a thin Qt line always leaves
/// out its lower-right end). Exact for thin horizontal and vertical lines.
void DrawLineTo(QPainter& painter, int x1, int y1, int x2, int y2);
/// The line Qt draws for that with a thin pen.
QLine ThinLineTo(int x1, int y1, int x2, int y2);

/// The font described by a font text of the preferences ("Arial, 8, Bold").
QFont FontOfText(std::string_view fontText);

/// Draws `text` with its top-left corner at (x, y) in the pen's colour; with
/// `background` set the text cell is first filled with that colour.
void TextOut(QPainter& painter, int x, int y, const QString& text, const std::uint32_t* background);
/// The same with the metrics of the painter's font already at hand.
void TextOut(QPainter& painter, const QFontMetrics& metrics, int x, int y, const QString& text,
             const std::uint32_t* background);

/// The heights of the texts that lay out the chart, on `device`, with the
/// chart caption in the font text `titleFont`.
ChartTextHeights MeasureChartText(const QPaintDevice& device, std::string_view titleFont);

/// The height of a line of text, and the width of a text, in the painter's current font.
int TextHeight(const QPainter& painter);
int TextWidth(const QPainter& painter, const QString& text);

}  // namespace chartorium
