#include "present/announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>
#include <QVariant>

namespace {

constexpr const char* kSpeaks = "chimeletSpeaks";

class AnnouncingWindow : public QAccessibleWidget {
public:
    explicit AnnouncingWindow(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
    QAccessible::Role role() const override {
        return widget()->property(kSpeaks).toBool() ? QAccessible::Notification
                                                    : QAccessible::Window;
    }
};

QAccessibleInterface* announcingwindow(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || !w->isWindow() || !w->property(kSpeaks).isValid()) return nullptr;
    return new AnnouncingWindow(w);
}

void tell(QWidget* window, QAccessible::Event what) {
    QAccessibleEvent event(window, what);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void installannouncing() {
    static const bool installed = [] {
        QAccessible::installFactory(announcingwindow);
        return true;
    }();
    (void)installed;
}

void setannouncement(QWidget* window, const QString& text, bool speak) {
    installannouncing();
    window->setProperty(kSpeaks, speak);
    window->setAccessibleName(text);
    if (!speak || !window->isVisible()) return;
    // Its show was heard with the text before; a reader speaks what shows anew.
    tell(window, QAccessible::ObjectShow);
    announceshown(window);
}

void announceshown(QWidget* window) {
    if (window->property(kSpeaks).toBool()) tell(window, QAccessible::Alert);
}

Announcer::Announcer()
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
                           Qt::X11BypassWindowManagerHint),
      hidetimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(-1, -1, 1, 1);
    hidetimer_->setSingleShot(true);
    hidetimer_->setInterval(kShownMsecs);
    connect(hidetimer_, &QTimer::timeout, this, &QWidget::hide);
}

void Announcer::announce(const QString& text) {
    setannouncement(this, text, true);
    if (!isVisible()) {
        show();
        announceshown(this);
    }
    hidetimer_->start();
}
