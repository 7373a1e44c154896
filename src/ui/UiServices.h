#pragma once
// What every TOMIRA window needs of Qt: units, colours, the font, modal
// windows, event processing, the Tab keystroke and the message box.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <string>

#include "state/MessageService.h"
#include "ui/Units.h"

class QAbstractButton;
class QApplication;
class QDialog;

namespace tomira {

// The font family the windows ask for; substitutes are registered by
// InstallApplicationLook().
inline const QString kUiFontFamily = QStringLiteral("ＭＳ Ｐゴシック");

QRect TwipsRect(int left, int top, int width, int height);
// The program's own light colours for every window, in place of the
// desktop's colour scheme. System colour values are taken from it.
QPalette ProgramPalette();
QColor ToQColor(std::uint32_t colourValue);
QFont UiFont(double pointSize);
QString ToQString(const std::string& utf8);
std::string ToStdString(const QString& text);

// A caption as a screen reader should say it: without the access-key
// marker, whether "&" alone or a Japanese-style "(&K)" / "（&C）".
QString AccessibleCaption(const QString& caption);
// Sets a button's caption and the matching accessible name.
void SetCaption(QAbstractButton& button, const QString& caption);

// Puts a widget at a twips position, or a window's client area to a size.
void PlaceTwips(QWidget& widget, int left, int top, int width, int height);
// Background colour of a label or panel (opaque).
void SetBackground(QWidget& widget, std::uint32_t colourValue);

// Settings the windowing system reads as the QApplication starts; call
// once before it exists.
void PrepareApplication();

// Font substitutes, the "*" password character, the program's colours,
// Enter on a focused command button pressing it, the application title
// and window icon. Call once after the QApplication exists.
void InstallApplicationLook(QApplication& app);

// Shows a dialog modally and returns when it has closed.
void ShowModal(QDialog& dialog);
// Handles the pending events once, waiting for at least one to arrive.
void ProcessPendingEventsOnce();
// Queues one Tab keystroke to the widget that has the focus, without
// waiting; the focus then moves as if the user had pressed Tab.
void SendTab(QWidget& from);
// Moves a window, frame included, to the centre of its screen; call it
// once the window has its size. A window not yet shown is centred again
// when the window manager has framed it, if the frame differs from the
// one assumed.
void CentreOnScreen(QWidget& window);

// Message boxes through QMessageBox, modal over the active window.
class QtMessageService : public MessageService {
public:
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
};

}  // namespace tomira
