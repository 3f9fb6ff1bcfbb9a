#include "present/picturejob.h"

#include "support/picturejobs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <future>
#include <mutex>

// Firings that come faster than pictures are read (several due at one tick, a gap)
// leave one picture to read per window, not a growing queue of pictures nobody sees.
TEST(PictureJob, OnlyTheLastOfABurstIsReadWhileTheWorkerIsBusy) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::mutex lock;
    QStringList read, shown;
    const auto reading = [&](const QString& name, QImage picture) {
        return [&, name, picture] {
            if (name == "busy") released.wait();
            std::lock_guard<std::mutex> hold(lock);
            read << name;
            return picture;
        };
    };
    PictureJob busy, window;
    busy.start(reading("busy", QImage()), [](const QImage&) {});
    for (int i = 1; i <= 3; ++i)
        window.start(reading(QString::number(i), QImage(i, 1, QImage::Format_RGB32)),
                     [&](const QImage& p) { shown << QString::number(p.width()); });
    release.set_value();
    settlepictures();
    EXPECT_EQ(read, QStringList({"busy", "3"}));
    EXPECT_EQ(shown, QStringList({"3"}));
    EXPECT_FALSE(window.pending());
}
