#include "ui/widgets/filesicon.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const int kSides[] = {16, 22, 24, 32, 48, 64, 128};

QString picture(int side) {
    return QStringLiteral(":/icons/chimelet-%1.png").arg(side);
}

QImage drawn(const QIcon& icon, QSize size, QIcon::Mode mode) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    icon.paint(&p, image.rect(), Qt::AlignCenter, mode);
    return image;
}

} // namespace

// Sizes between and beyond the pictures', oblong ones, every look and a dense screen: the
// same pictures as an icon of added files gives; and only the small ones are kept.
TEST(FilesIcon, PicksScalesAndGreysAsAnIconOfAddedFilesAndKeepsOnlyTheSmallOnes) {
    QIcon added;
    std::vector<std::pair<int, QString>> files;
    for (const int side : kSides) {
        added.addFile(picture(side), QSize(side, side));
        files.emplace_back(side, picture(side));
    }
    const QIcon ours = filesicon(files, 48);
    ASSERT_FALSE(ours.isNull());
    EXPECT_EQ(ours.availableSizes(), added.availableSizes());
    for (const QSize size :
         {QSize(16, 16), QSize(20, 20), QSize(30, 30), QSize(48, 48), QSize(50, 50),
          QSize(100, 100), QSize(200, 200), QSize(40, 20), QSize(20, 90)})
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
            SCOPED_TRACE(testing::Message()
                         << size.width() << "x" << size.height() << " mode " << mode);
            EXPECT_EQ(ours.actualSize(size, mode), added.actualSize(size, mode));
            EXPECT_EQ(ours.pixmap(size, 1.0, mode).toImage(),
                      added.pixmap(size, 1.0, mode).toImage());
            const QPixmap dense = ours.pixmap(size, 2.0, mode);
            EXPECT_EQ(dense.toImage(), added.pixmap(size, 2.0, mode).toImage());
            EXPECT_EQ(drawn(ours, size, mode), drawn(added, size, mode));
        }
    EXPECT_EQ(ours.pixmap(16, 16).cacheKey(), ours.pixmap(16, 16).cacheKey());
    EXPECT_NE(ours.pixmap(128, 128).cacheKey(), ours.pixmap(128, 128).cacheKey());
}
