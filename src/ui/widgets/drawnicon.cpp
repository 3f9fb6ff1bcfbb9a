#include "ui/widgets/drawnicon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <map>
#include <memory>

namespace {
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(std::shared_ptr<std::function<QPixmap(int)>> draw)
        : draw_(std::move(draw)) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = scaledPixmap(rect.size(), mode, state, scale);
        painter->drawPixmap(rect, pm);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        const int side =
            std::max(1, static_cast<int>(std::min(size.width(), size.height()) * scale));
        auto it = drawn_.find(side);
        if (it == drawn_.end()) it = drawn_.emplace(side, (*draw_)(side)).first;
        QPixmap pm = it->second;
        pm.setDevicePixelRatio(scale);
        if (mode == QIcon::Disabled && qApp) {
            // Greyed like any other icon of the style.
            QStyleOption option;
            option.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        return pm;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

private:
    std::shared_ptr<std::function<QPixmap(int)>> draw_;
    std::map<int, QPixmap> drawn_;
};
} // namespace

QIcon drawnicon(std::function<QPixmap(int size)> draw) {
    return QIcon(
        new DrawnIconEngine(std::make_shared<std::function<QPixmap(int)>>(std::move(draw))));
}
