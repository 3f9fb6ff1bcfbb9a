#include "present/picturejob.h"

#include "support/picturejobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

// Firings faster than pictures are read (several due at one tick, a gap) leave one
// picture to read per window, not a growing queue of pictures nobody sees.
TEST(PictureJob, OnlyTheLastOfABurstIsReadWhileTheWorkerIsBusy) {
    std::promise<void> release;
    std::atomic<int> reads = 0;
    QList<int> shown;
    PictureJob busy, window;
    busy.start([done = release.get_future().share()] { return done.wait(), QImage(); },
               [](const QImage&) {});
    for (int width = 1; width <= 3; ++width)
        window.start([&, width] { return ++reads, QImage(width, 1, QImage::Format_RGB32); },
                     [&](const QImage& p) { shown << p.width(); });
    release.set_value();
    settlepictures();
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(shown, QList<int>{3});
}
