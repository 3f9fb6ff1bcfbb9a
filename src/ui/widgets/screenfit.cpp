#include "ui/widgets/screenfit.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

QRect fitonscreen(QSize size, QSize minimum, QMargins frame, QRect available) {
    const QRect room = available.marginsRemoved(frame);
    const QSize fitted = size.boundedTo(room.size()).expandedTo(minimum);
    int x = room.x() + (room.width() - fitted.width()) / 2;
    int y = room.y() + (room.height() - fitted.height()) / 2;
    // Too large even at its smallest: the title bar and the left edge win.
    x = std::max(x, room.x());
    y = std::max(y, room.y());
    return QRect(QPoint(x, y), fitted);
}

namespace {
QSize smallest(const QWidget* window) {
    return window->minimumSize().expandedTo(window->minimumSizeHint());
}

// A main window too large for the screen even at its smallest: its central part scrolls
// and the status bar's panels may run off its edge.
void makeshrinkable(QMainWindow* window) {
    if (qobject_cast<QScrollArea*>(window->centralWidget())) return;
    auto* scroll = new QScrollArea(window);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(window->takeCentralWidget());
    window->setCentralWidget(scroll);
    if (auto* bar = window->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly))
        bar->setSizePolicy(QSizePolicy::Ignored, bar->sizePolicy().verticalPolicy());
}
} // namespace

void placeonscreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                   outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (frame.isNull() && !window->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        // Not yet framed by the window manager: a title bar and thin borders.
        const int bar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = QMargins(border, bar + border, border, border);
    }
    const QRect available = screen->availableGeometry();
    auto* main = qobject_cast<QMainWindow*>(window);
    const QSize room = available.marginsRemoved(frame).size();
    if (main && (smallest(main).width() > room.width() || smallest(main).height() > room.height()))
        makeshrinkable(main);
    const QRect place = fitonscreen(window->size(), smallest(window), frame, available);
    // The client area's place, which the window manager's frame does not shift.
    window->setGeometry(place);
}

void placeatfirstshow(QWidget* window) {
    static constexpr const char* kPlaced = "chimeletplaced";
    if (window->property(kPlaced).toBool()) return;
    window->setProperty(kPlaced, true);
    placeonscreen(window);
}

void placeover(QWidget* window, const QWidget* owner) {
    if (!owner || !owner->isVisible() || owner->isMinimized()) {
        placeonscreen(window);
        return;
    }
    QRect place(QPoint(), window->size());
    place.moveCenter(owner->geometry().center());
    window->setGeometry(place);
}
