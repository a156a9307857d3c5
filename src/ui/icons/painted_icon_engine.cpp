#include "ui/icons/painted_icon_engine.h"

#include "ui/icons/picture_canvas.h"

#include <QIcon>
#include <algorithm>

namespace dvx {

PaintedIconEngine::PaintedIconEngine(std::function<void(QPainter&)> draw, QList<int> sizes)
    : draw_(std::move(draw)), sizes_(std::move(sizes)) {
    std::sort(sizes_.begin(), sizes_.end());
}

QPixmap PaintedIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    if (size.isEmpty())
        return {};
    QPixmap shown = picture(sideFor(size));
    const QSize fitting = actualSize(size, mode, state);
    if (shown.size() != fitting)
        shown = shown.scaled(fitting, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (mode == QIcon::Normal)
        return shown;
    return QIcon(shown).pixmap(fitting, mode, state);
}

void PaintedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap shown = pixmap(rect.size() * ratio, mode, state);
    shown.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, shown);
}

QSize PaintedIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
    const int side = sideFor(size);
    return QSize(side, side).scaled(size.boundedTo(QSize(side, side)), Qt::KeepAspectRatio);
}

QList<QSize> PaintedIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
    QList<QSize> sizes;
    for (int side : sizes_)
        sizes.append(QSize(side, side));
    return sizes;
}

QIconEngine* PaintedIconEngine::clone() const {
    return new PaintedIconEngine(*this);
}

int PaintedIconEngine::sideFor(const QSize& size) const {
    const int wanted = std::min(size.width(), size.height());
    const auto covering = std::lower_bound(sizes_.begin(), sizes_.end(), wanted);
    return covering != sizes_.end() ? *covering : sizes_.last();
}

const QPixmap& PaintedIconEngine::picture(int side) {
    auto painted = painted_.find(side);
    if (painted == painted_.end())
        painted = painted_.insert(side, PaintPicture(draw_, side));
    return *painted;
}

} // namespace dvx
