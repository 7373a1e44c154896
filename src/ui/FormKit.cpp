#include "ui/FormKit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/ProgramColours.h"
#include "ui/ProgramFont.h"
#include "ui/QtText.h"
#include "state/Units.h"

namespace tomira {

QRect TwipsRect(Twips place)
{
    const PixelRect r = TwipsToPixels(place.left, place.top, place.width, place.height);
    return QRect(r.x, r.y, r.width, r.height);
}

void PlaceTwips(QWidget& widget, Twips place) { widget.setGeometry(TwipsRect(place)); }

void SetUpWindow(QWidget& window, const QString& name, const QString& title, Qt::WindowFlags frame)
{
    window.setObjectName(name);
    window.setWindowTitle(title);
    window.setWindowFlags(frame);
}

QLabel* AddLabel(QWidget& parent, const QString& name, const QString& text, Twips place, const LabelLook& look)
{
    auto* label = new QLabel(text, &parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(look.alignment);
    if (look.pointSize > 0) {
        label->setFont(UiFont(look.pointSize));
    }
    if (look.ground) {
        SetBackground(*label, *look.ground);
    }
    if (look.text) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ToQColor(*look.text));
        label->setPalette(palette);
    }
    PlaceTwips(*label, place);
    return label;
}

QPushButton* AddButton(QWidget& parent, const QString& name, const QString& caption, Twips place, double pointSize)
{
    auto* button = new QPushButton(&parent);
    button->setObjectName(name);
    SetCaption(*button, caption);
    if (pointSize > 0) {
        button->setFont(UiFont(pointSize));
    }
    // Not pressed by Enter while another control has the focus.
    button->setAutoDefault(false);
    PlaceTwips(*button, place);
    return button;
}

QFrame* AddLine(QWidget& parent, const QString& name, int x1, int y1, int x2, int y2, std::uint32_t colour,
                int thickness, LineEnd end)
{
    auto* line = new QFrame(&parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    SetBackground(*line, colour);
    const int left = TwipsToPixels(x1);
    const int top = TwipsToPixels(y1);
    const int closed = end == LineEnd::Closed ? 1 : 0;
    const int width = y1 == y2 ? TwipsToPixels(x2) - left + closed : thickness;
    const int height = y1 == y2 ? thickness : TwipsToPixels(y2) - top + closed;
    line->setGeometry(left, top, width, height);
    return line;
}

QString LabelText(const std::string& text)
{
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace tomira
