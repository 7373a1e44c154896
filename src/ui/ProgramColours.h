#pragma once
// The program's own light colours, in place of the desktop's scheme.

#include <QColor>
#include <QPalette>

#include <cstdint>

class QWidget;

namespace tomira {

// The program's own light colours for every window, in place of the
// desktop's colour scheme. System colour values are taken from it.
QPalette ProgramPalette();
QColor ToQColor(std::uint32_t colourValue);
// Background colour of a label or panel (opaque).
void SetBackground(QWidget& widget, std::uint32_t colourValue);

}  // namespace tomira
