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
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOption>

#include <algorithm>
#include <array>
#include <iterator>

#include "ui/AppText.h"

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

QColor ToQColor(std::uint32_t colourValue)
{
    if (IsSystemColour(colourValue)) {
        const QPalette palette = QApplication::palette();
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

QString ToQString(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

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
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, ToQColor(colourValue));
    palette.setColor(QPalette::Base, ToQColor(colourValue));
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
}

void InstallApplicationLook(QApplication& app)
{
    // MS PGothic where it is installed; the IPA P-Gothic or Noto Sans CJK
    // elsewhere. Fontconfig falls back further for any missing glyph.
    QFont::insertSubstitutions(kUiFontFamily, {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                               QStringLiteral("IPA Pゴシック"), QStringLiteral("Noto Sans CJK JP")});
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    app.setFont(UiFont(9));
    app.setStyle(new TomiraStyle(app.style()->name()));
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

void CentreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
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
