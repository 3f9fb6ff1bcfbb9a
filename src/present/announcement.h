#pragma once

#include <QWidget>

class QString;
class QTimer;

// How a reminder reaches a screen reader: the window showing it is named by the
// Notification's text and, when it is the one to speak, exposed as a notification, which
// screen readers speak as it shows. A firing speaks once: the text strip, else the
// balloon's stand-in below, else the first picture window.

// Makes windows named by setannouncement known to screen readers as such. Qt keeps what
// it told a reader of a window, so this comes before the windows are made.
void installannouncing();

// Names `window` by `text`; `speak` makes it a notification, else a plain window.
// A window already on screen speaks its new text at once.
void setannouncement(QWidget* window, const QString& text, bool speak);

// Raises an alert for a window that speaks, as it shows: readers on some platforms wait
// for one, where AT-SPI readers speak a notification that shows.
void announceshown(QWidget* window);

// Where the text goes only into a balloon, which not every desktop exposes to screen
// readers: a window that nobody sees (one pixel, off the screen, see-through, passing
// clicks) shows the text to screen readers for as long as a balloon stays.
class Announcer : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShownMsecs = 3000;

    Announcer();
    void announce(const QString& text);

private:
    QTimer* hidetimer_;
};
