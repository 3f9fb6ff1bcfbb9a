#include "ui/widgets/filesicon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <map>
#include <memory>

namespace {

struct Pictures {
    std::vector<std::pair<int, QString>> files; // side, file
    int keepside = 0;
    std::map<int, QPixmap> kept;
};

class FilesIconEngine : public QIconEngine {
public:
    explicit FilesIconEngine(std::shared_ptr<Pictures> pictures) : pictures_(std::move(pictures)) {}

    QIconEngine* clone() const override { return new FilesIconEngine(pictures_); }
    bool isNull() override { return pictures_->files.empty(); }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        QList<QSize> sizes;
        if (mode != QIcon::Normal || state != QIcon::Off) return sizes;
        for (const auto& file : pictures_->files)
            sizes.append(QSize(file.first, file.first));
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = bestside(size);
        if (side <= 0) return {};
        QSize actual(side, side);
        if (side > size.width() || side > size.height()) actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm = picture(bestside(size));
        if (pm.isNull()) return pm;
        const QSize actual = actualSize(size, mode, state);
        if (pm.size() != actual)
            pm = pm.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // The pictures are the normal ones: the other looks but the active one are the
        // style's, as for any icon without pictures of its own for them.
        if ((mode == QIcon::Disabled || mode == QIcon::Selected) && qApp) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            const QPixmap made = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!made.isNull()) pm = made;
        }
        return pm;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal dpr = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * dpr, mode, state));
    }

private:
    // The smallest picture at least as large as `size` by area, else the largest.
    int bestside(const QSize& size) const {
        const qint64 want = qint64(size.width()) * size.height();
        int fits = 0, largest = 0;
        for (const auto& file : pictures_->files) {
            const int side = file.first;
            const qint64 area = qint64(side) * side;
            if (area >= want && (fits == 0 || side < fits)) fits = side;
            if (side > largest) largest = side;
        }
        return fits ? fits : largest;
    }

    QPixmap picture(int side) const {
        if (const auto kept = pictures_->kept.find(side); kept != pictures_->kept.end())
            return kept->second;
        for (const auto& file : pictures_->files)
            if (file.first == side) {
                // Read as an image: QPixmap's own loading would keep it in the pixmap cache.
                QPixmap pm = QPixmap::fromImage(QImage(file.second));
                if (side <= pictures_->keepside) pictures_->kept.emplace(side, pm);
                return pm;
            }
        return {};
    }

    std::shared_ptr<Pictures> pictures_;
};

} // namespace

QIcon filesicon(std::vector<std::pair<int, QString>> sizedfiles, int keepside) {
    auto pictures = std::make_shared<Pictures>();
    pictures->files = std::move(sizedfiles);
    pictures->keepside = keepside;
    return QIcon(new FilesIconEngine(std::move(pictures)));
}
