#pragma once

#include <QHash>
#include <QIconEngine>
#include <QList>
#include <QPainter>
#include <functional>

namespace dvx {

// An icon painted by the program at each of its sizes only when that size is first asked for: a
// program that shows its icon in the tray paints the tray's size and no other. A size between
// two of the icon's is the next larger one scaled down, as an icon of pictures gives it; other
// modes than the normal one are made from the normal picture as the style makes them.
class PaintedIconEngine final : public QIconEngine {
public:
    PaintedIconEngine(std::function<void(QPainter&)> draw, QList<int> sizes);

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    // The icon's own size painted for `size`: the smallest that covers it, else the largest.
    int sideFor(const QSize& size) const;
    const QPixmap& picture(int side);

    std::function<void(QPainter&)> draw_;
    QList<int> sizes_;
    QHash<int, QPixmap> painted_;
};

} // namespace dvx
