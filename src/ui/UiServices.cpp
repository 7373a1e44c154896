#include "ui/UiServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyleOption>
#include <QWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <array>
#include <iterator>

#include "state/AppText.h"
#include "ui/WaylandSession.h"

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

// The program icon's images, smallest first.
struct IconImage {
    int side;
    const char* file;
};
constexpr IconImage kProgramIcons[] = {
    {16, ":/icons/tomira-16.png"},
    {32, ":/icons/tomira-32.png"},
    {48, ":/icons/tomira-48.png"},
    {256, ":/icons/tomira-256.png"},
};
// The sizes offered to the window system for title bars and task lists;
// larger requests are served from the 256 image.
constexpr int kWindowIconSizes = 3;

// The program icon, each image read from its PNG only when a size that
// needs it is asked for. Every top-level window hands the offered sizes to
// the window system as it is created, so the big image is neither decoded
// nor sent for each window. A size between the images is scaled down from
// the next larger one.
class ProgramIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine(*this); }
    QString key() const override { return QStringLiteral("TomiraProgramIcon"); }
    bool isNull() override { return false; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int i = 0; i < kWindowIconSizes; ++i) {
            sizes.append(QSize(kProgramIcons[i].side, kProgramIcons[i].side));
        }
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({size.width(), size.height(), kProgramIcons[std::size(kProgramIcons) - 1].side});
        return QSize(side, side);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QSize wanted = actualSize(size, mode, state);
        if (wanted.isEmpty()) {
            return QPixmap();
        }
        std::size_t i = 0;
        while (i + 1 < std::size(kProgramIcons) && kProgramIcons[i].side < wanted.width()) {
            ++i;
        }
        QPixmap shown = Image(i);
        if (!shown.isNull() && shown.size() != wanted) {
            shown = shown.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        if (mode != QIcon::Normal && !shown.isNull()) {
            QStyleOption option;
            option.palette = QApplication::palette();
            shown = QApplication::style()->generatedIconPixmap(mode, shown, &option);
        }
        return shown;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap shown = pixmap(rect.size() * ratio, mode, state);
        shown.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, shown);
    }

private:
    QPixmap Image(std::size_t i)
    {
        if (images_[i].isNull()) {
            // PNG stated, so that no image-format plugin is consulted.
            QImageReader reader(QString::fromLatin1(kProgramIcons[i].file), "png");
            reader.setAutoDetectImageFormat(false);
            images_[i] = QPixmap::fromImage(reader.read());
        }
        return images_[i];
    }

    std::array<QPixmap, std::size(kProgramIcons)> images_;
};

}  // namespace

QRect TwipsRect(int left, int top, int width, int height)
{
    const PixelRect r = TwipsToPixels(left, top, width, height);
    return QRect(r.x, r.y, r.width, r.height);
}

QPalette ProgramPalette()
{
    // The windows are drawn on white and light pastel grounds with dark
    // text; the controls between them keep the light look of the desktop
    // the program was designed on, whatever colour scheme the user's
    // desktop has. Every role of every group is set, so nothing of a dark
    // scheme shows through.
    struct RoleColour {
        QPalette::ColorRole role;
        QRgb normal;
        QRgb disabled;
    };
    constexpr RoleColour kColours[] = {
        {QPalette::WindowText, 0x000000, 0x6D6D6D},  {QPalette::Window, 0xF0F0F0, 0xF0F0F0},
        {QPalette::Base, 0xFFFFFF, 0xF0F0F0},        {QPalette::AlternateBase, 0xF7F7F7, 0xF7F7F7},
        {QPalette::Text, 0x000000, 0x6D6D6D},        {QPalette::PlaceholderText, 0x6D6D6D, 0x6D6D6D},
        {QPalette::Button, 0xF0F0F0, 0xF0F0F0},      {QPalette::ButtonText, 0x000000, 0x6D6D6D},
        {QPalette::BrightText, 0xFFFFFF, 0xFFFFFF},  {QPalette::Light, 0xFFFFFF, 0xFFFFFF},
        {QPalette::Midlight, 0xE3E3E3, 0xE3E3E3},    {QPalette::Mid, 0xA0A0A0, 0xA0A0A0},
        {QPalette::Dark, 0x707070, 0x707070},        {QPalette::Shadow, 0x404040, 0x404040},
        {QPalette::Highlight, 0x0063B1, 0xC0C0C0},   {QPalette::HighlightedText, 0xFFFFFF, 0x000000},
        {QPalette::Link, 0x0000EE, 0x6D6D6D},        {QPalette::LinkVisited, 0x551A8B, 0x6D6D6D},
        {QPalette::ToolTipBase, 0xFFFFE1, 0xFFFFE1}, {QPalette::ToolTipText, 0x000000, 0x000000},
    };
    QPalette palette;
    for (const RoleColour& c : kColours) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, c.role, QColor::fromRgb(c.normal));
        }
        palette.setColor(QPalette::Disabled, c.role, QColor::fromRgb(c.disabled));
    }
    return palette;
}

QColor ToQColor(std::uint32_t colourValue)
{
    if (IsSystemColour(colourValue)) {
        const QPalette palette = ProgramPalette();
        switch (colourValue) {
        case kSysButtonFace:
            return palette.color(QPalette::Active, QPalette::Button);
        case kSysHighlightText:
            return palette.color(QPalette::Active, QPalette::HighlightedText);
        default:
            return palette.color(QPalette::Active, QPalette::Window);
        }
    }
    const Rgb rgb = FromColourValue(colourValue);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QFont UiFont(double pointSize)
{
    QFont font(kUiFontFamily);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QString ToQString(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToStdString(const QString& text) { return text.toStdString(); }

QString AccessibleCaption(const QString& caption)
{
    static const QRegularExpression marker(QStringLiteral("[(（]&[^&][)）]"));
    QString text = caption;
    text.remove(marker);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

void SetCaption(QAbstractButton& button, const QString& caption)
{
    button.setText(caption);
    button.setAccessibleName(AccessibleCaption(caption));
}

void PlaceTwips(QWidget& widget, int left, int top, int width, int height)
{
    widget.setGeometry(TwipsRect(left, top, width, height));
}

void SetBackground(QWidget& widget, std::uint32_t colourValue)
{
    // Buttons and check boxes fill with the button role, labels and
    // panels with the window role, fields with the base role.
    QPalette palette = widget.palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, ToQColor(colourValue));
    }
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void PrepareApplication()
{
    // On X11 every new window would get a fresh shared-memory segment for
    // its pixels, and setting one up costs more than the few small
    // repaints these windows ever send: without it a window opens in half
    // the time. Whoever sets the variable decides for themselves.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
#ifdef __GLIBC__
    // So each window's pixels, a block of about a mebibyte, come from the
    // heap allocator. glibc would raise its threshold for mapping blocks of
    // their own past that size as soon as the first window closes, and
    // from then on take them from the heap, which cannot give a free block
    // back to the system while anything small lies above it: the program
    // would stay a window's size larger after closing the window. A fixed
    // threshold keeps such blocks mapped, returned when the window goes.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

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

void ShowModal(QDialog& dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
}

void ProcessPendingEventsOnce()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

void SendTab(QWidget& from)
{
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        target = &from;
    }
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier));
}

namespace {

// The frame the window manager draws around a window, once it is known;
// before that, the frame of another window of the program stands in.
QMargins FrameMargins(const QWidget& window)
{
    const auto framed = [](const QWidget& w) {
        return w.windowHandle() != nullptr && w.isVisible() ? w.windowHandle()->frameMargins() : QMargins();
    };
    QMargins margins = framed(window);
    if (margins.isNull()) {
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other != &window && !(margins = framed(*other)).isNull()) {
                break;
            }
        }
    }
    return margins;
}

void MoveToCentre(QWidget& window)
{
    QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // A window's position is that of its frame.
    QRect frame = QRect(QPoint(0, 0), window.size()).marginsAdded(FrameMargins(window));
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

// Centres a window once more as soon as the window manager has framed it:
// until then its frame could only be guessed.
class CentreWhenFramed : public QObject {
public:
    explicit CentreWhenFramed(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent*) override
    {
        // Whichever event comes first once the frame is there: a window
        // manager that keeps the window where it is sends no move.
        auto& window = static_cast<QWidget&>(*watched);
        if (window.isVisible() && window.windowHandle() != nullptr && !window.windowHandle()->frameMargins().isNull()) {
            window.removeEventFilter(this);
            deleteLater();
            MoveToCentre(window);
        }
        return false;
    }
};

}  // namespace

void CentreOnScreen(QWidget& window)
{
    if (!CanPlaceWindows()) {
        return;
    }
    MoveToCentre(window);
    if (!window.isVisible()) {
        new CentreWhenFramed(window);
    }
}

void QtMessageService::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon)
{
    // The program writes CR LF between lines; a label breaks on LF.
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, ToQString(title),
                    shown, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

}  // namespace tomira
