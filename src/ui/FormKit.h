#pragma once
// The controls every window of the program is built from, each placed in
// twips and named as the window's table names it.

#include <QRect>
#include <QString>
#include <Qt>

#include <cstdint>
#include <optional>
#include <string>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace tomira {

// A title bar with the system menu and the close box, nothing else.
inline constexpr Qt::WindowFlags kTitleAndCloseBox =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Names a window, gives it its title and its kind of frame.
void SetUpWindow(QWidget& window, const QString& name, const QString& title, Qt::WindowFlags frame);

struct Twips {
    int left, top, width, height;
};

QRect TwipsRect(Twips place);
// Puts a widget at a twips position, or a window's client area to a size.
void PlaceTwips(QWidget& widget, Twips place);

struct LabelLook {
    std::optional<std::uint32_t> ground{};  // none: the window's ground shows
    std::optional<std::uint32_t> text{};    // none: the window's text colour
    double pointSize = 0;                   // 0: the window's font
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// A label showing plain text.
QLabel* AddLabel(QWidget& parent, const QString& name, const QString& text, Twips place, const LabelLook& look = {});

// A command button. Enter presses it only while it has the focus; the
// caption's access key works as the user expects.
QPushButton* AddButton(QWidget& parent, const QString& name, const QString& caption, Twips place, double pointSize = 0);

// A line from (x1, y1) to (x2, y2) in twips, horizontal or vertical,
// `thickness` pixels wide. Like a drawn line it stops just before its end
// point, unless the end point is asked for (the lines of a grid, which
// then meet at the corners).
enum class LineEnd { Open, Closed };
QFrame* AddLine(QWidget& parent, const QString& name, int x1, int y1, int x2, int y2, std::uint32_t colour,
                int thickness = 1, LineEnd end = LineEnd::Open);

// Text joined by CR LF, as a label shows it: broken at each line end.
QString LabelText(const std::string& text);

}  // namespace tomira
