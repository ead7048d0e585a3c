#include "app/app_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QMap>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>

namespace {

constexpr std::array kSides{16, 32, 48, 64, 128, 256};

class PngIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        Q_UNUSED(state);
        if (size.isEmpty())
            return {};
        const int wanted = std::max(size.width(), size.height());
        // The smallest drawn size that needs no enlarging, else the largest.
        const auto fit = std::find_if(kSides.begin(), kSides.end(), [&](int side) { return side >= wanted; });
        QPixmap pix = sideOf(fit == kSides.end() ? kSides.back() : *fit);
        if (pix.size() != size)
            pix = pix.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal) {
            QStyleOption option;
            pix = QApplication::style()->generatedIconPixmap(mode, pix, &option);
        }
        return pix;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap pix = pixmap(rect.size() * ratio, mode, state);
        pix.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pix);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({size.width(), size.height(), kSides.back()});
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const int side : kSides)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new PngIconEngine(*this); }
    QString key() const override { return QStringLiteral("LexiwrenPng"); }

private:
    QPixmap sideOf(int side)
    {
        QPixmap& pix = read_[side];
        if (pix.isNull()) {
            QImageReader reader(QStringLiteral(":/icons/lexiwren-%1.png").arg(side), "png");
            reader.setAutoDetectImageFormat(false);
            pix = QPixmap::fromImage(reader.read());
        }
        return pix;
    }

    QMap<int, QPixmap> read_;
};

} // namespace

QIcon appIcon()
{
    // The PNGs live in a static library, where nothing else would keep them.
    Q_INIT_RESOURCE(lexiwren);
    return QIcon(new PngIconEngine);
}
