#include "ui/ApplicationLook.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QPushButton>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include "state/AppText.h"
#include "ui/ProgramColours.h"
#include "ui/ProgramFont.h"
#include "ui/ProgramIcon.h"

namespace tomira {

namespace {

// Shows "*" for each character of a password field, at once.
class TomiraStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return '*';
        }
        if (hint == SH_LineEdit_PasswordMaskDelay) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Keeps the program's look for all its windows: its own colours and font
// even when the desktop's theme sets others after start-up (the windows
// are drawn for them and would clip larger text), and Enter or the
// keypad's Enter on a focused command button pressing it, as Space does.
class ProgramLook : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ApplicationFontChange:
            if (watched == qApp && !restoring_ && QApplication::font() != UiFont(kDefaultPt)) {
                const QScopedValueRollback restoring(restoring_, true);
                QApplication::setFont(UiFont(kDefaultPt));
            }
            return false;
        case QEvent::ApplicationPaletteChange:
            if (watched == qApp && !restoring_ && QApplication::palette() != ProgramPalette()) {
                // Once: a style that adjusts the palette it is given is left
                // to do so.
                const QScopedValueRollback restoring(restoring_, true);
                QApplication::setPalette(ProgramPalette());
            }
            return false;
        case QEvent::KeyPress:
            return PressedByEnter(qobject_cast<QPushButton*>(watched), static_cast<QKeyEvent&>(*event));
        default:
            return false;
        }
    }

    static constexpr double kDefaultPt = 9;

private:
    bool restoring_ = false;

    static bool PressedByEnter(QPushButton* button, const QKeyEvent& key)
    {
        if (button == nullptr || (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) ||
            (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        if (button->isEnabled() && !key.isAutoRepeat()) {
            button->click();
        }
        return true;
    }
};

}  // namespace

void InstallApplicationLook(QApplication& app)
{
    // MS PGothic where it is installed; the IPA P-Gothic or Noto Sans CJK
    // elsewhere. Fontconfig falls back further for any missing glyph.
    QFont::insertSubstitutions(kUiFontFamily, {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                               QStringLiteral("IPA Pゴシック"), QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    app.setFont(UiFont(ProgramLook::kDefaultPt));
    app.setStyle(new TomiraStyle(app.style()->name()));
    // The style keeps the pieces it draws (button faces, combo boxes,
    // frames) in the pixmap cache, under keys that hold each widget's
    // palette, and every window built anew has new palettes: a closed
    // window's pieces are never drawn again. Kept, they would fill the
    // cache to its 10 MiB limit over the first dozen windows, and evicting
    // them after that leaves the heap ever more fragmented, so the program
    // grew with every window it opened. The pieces are cheap to draw.
    QPixmapCache::setCacheLimit(0);
    app.setPalette(ProgramPalette());
    app.installEventFilter(new ProgramLook(&app));
    app.setApplicationName(QString::fromUtf8(kApplicationTitle));
    app.setApplicationDisplayName(QString());
    if (QFile::exists(QString::fromLatin1(kProgramIcons[0].file))) {
        app.setWindowIcon(QIcon(new ProgramIconEngine));
    }
}

}  // namespace tomira
