#pragma once
// The program icon: its images in the resources and the icon engine that
// serves them to the window system.

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>
#include <iterator>

namespace tomira {

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

}  // namespace tomira
