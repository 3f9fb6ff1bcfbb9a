// The yardstick for start-up time and memory: a bare Qt window with a tree view, a
// tray icon and a one-second timer. With CHIMELET_TRACE_STARTUP=1 it prints the
// wall-clock time of its first paint, as the program's start-up trace does.
#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QMainWindow>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTime>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

namespace {
class Window : public QMainWindow {
public:
    bool event(QEvent* e) override {
        const bool r = QMainWindow::event(e);
        if (e->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            if (qEnvironmentVariableIntValue("CHIMELET_TRACE_STARTUP") == 1)
                std::fprintf(stderr, "main window painted at %lld ms since the epoch\n",
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        }
        return r;
    }

private:
    bool painted_ = false;
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Window window;
    auto* view = new QTreeView(&window);
    auto* model = new QStandardItemModel(0, 10, view);
    view->setModel(model);
    window.setCentralWidget(view);
    window.resize(800, 500);
    QSystemTrayIcon tray(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    tray.show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [&window] {
        window.statusBar()->showMessage(QTime::currentTime().toString());
    });
    timer.start(1000);
    window.show();
    return app.exec();
}
