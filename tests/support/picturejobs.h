#pragma once

#include "present/picturejob.h"

#include <QCoreApplication>
#include <QThreadPool>

// Waits until every picture started so far is read and handed over.
inline void settlepictures() {
    pictureworker().waitForDone();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
