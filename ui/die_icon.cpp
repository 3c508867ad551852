#include "die_icon.h"

#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>

namespace {

constexpr std::array drawn_sides{TIRLO_ICON_SIZES};

// The die at every size the build drew, each decoded from the program's
// resources when it is asked for and not kept: Qt's own icon decoded every size
// up front and kept them all for the whole run, though a window asks for each
// size once, as it gets the icon (X11 takes them all for the window icon).
class DieIconEngine final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = best_side(std::max(size.width(), size.height()));
        const QPixmap drawn = decoded(side);
        if (size == QSize(side, side)) {
            return drawn;
        }
        return drawn.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QSize device_size = rect.size() * painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(device_size, mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : drawn_sides) {
            sizes << QSize(side, side);
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new DieIconEngine; }

private:
    // The smallest drawn size that covers `side`, or else the largest.
    static int best_side(int side) {
        const auto* covering = std::find_if(drawn_sides.begin(), drawn_sides.end(),
                                            [side](int drawn) { return drawn >= side; });
        return covering != drawn_sides.end() ? *covering : drawn_sides.back();
    }

    static QPixmap decoded(int side) {
        QImageReader reader(QStringLiteral(":/icons/%1x%1/apps/" TIRLO_APP_ID ".png").arg(side),
                            "png");
        // Told the format, the reader still loads every image plugin to ask it,
        // unless it is also told not to guess.
        reader.setAutoDetectImageFormat(false);
        // Kept as decoded, with straight alpha, which is what X11 takes: no
        // conversion there and back.
        return QPixmap::fromImage(reader.read(), Qt::NoFormatConversion);
    }
};

} // namespace

QIcon die_icon() {
    return QIcon(new DieIconEngine);
}
