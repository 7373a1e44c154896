#include "ui/ApplicationLook.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QScopedValueRollback>

#include "state/AppText.h"
#include "ui/Keystrokes.h"
#include "ui/ProgramColours.h"
#include "ui/ProgramFont.h"
#include "ui/ProgramIcon.h"

namespace tomira {

namespace {

// A style's standard icon, asked of the style only when it is first drawn
// or measured.
class StandardIconWhenDrawn : public QIconEngine {
public:
    StandardIconWhenDrawn(QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}
    QIconEngine* clone() const override { return new StandardIconWhenDrawn(*this); }
    QString key() const override { return QStringLiteral("TomiraStandardIconWhenDrawn"); }
    bool isNull() override { return Icon().isNull(); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    QIcon& Icon()
    {
        if (!read_ && style_ != nullptr) {
            icon_ = style_->standardIcon(which_);
        }
        read_ = true;
        return icon_;
    }

    QPointer<QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool read_ = false;
};

// Shows "*" for each character of a password field, at once.
class TomiraStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        // Every menu bar makes a button for the menus that do not fit, and
        // the main window's menus always fit: its picture is read only if it
        // is ever drawn. Read at once, it would load every image-format
        // plugin as the main window is built.
        if (icon == SP_ToolBarHorizontalExtensionButton) {
            return QIcon(new StandardIconWhenDrawn(baseStyle(), icon));
        }
        return QProxyStyle::standardIcon(icon, option, widget);
    }
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
// are drawn for them and would clip larger text).
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
        default:
            return false;
        }
    }

    static constexpr double kDefaultPt = 9;

private:
    bool restoring_ = false;
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
    app.installEventFilter(new EnterPressesButtons(&app));
    app.installEventFilter(new ShiftF10OpensContextMenus(&app));
    app.setApplicationName(QString::fromUtf8(kApplicationTitle));
    app.setApplicationDisplayName(QString());
    if (QFile::exists(QString::fromLatin1(kProgramIcons[0].file))) {
        app.setWindowIcon(QIcon(new ProgramIconEngine));
    }
}

}  // namespace tomira
