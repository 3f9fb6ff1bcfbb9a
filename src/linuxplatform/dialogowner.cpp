#include "linuxplatform/dialogowner.h"

#include "linuxplatform/boxstack.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>

#include <vector>

namespace {
std::vector<QPointer<QWidget>>& recent() {
    static std::vector<QPointer<QWidget>> windows; // most recent first
    return windows;
}

void remember(QWidget* window) {
    auto& list = recent();
    std::erase_if(list, [window](const QPointer<QWidget>& w) { return !w || w == window; });
    list.insert(list.begin(), window);
    if (list.size() > 8) list.pop_back();
}

bool usable(const QWidget* w) {
    return w && w->isVisible() && !w->windowFlags().testFlag(Qt::Popup) &&
           !w->windowFlags().testFlag(Qt::ToolTip);
}
} // namespace

void followactivewindow() {
    static bool following = false;
    if (following) return;
    following = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget*) {
        if (QWidget* w = QApplication::activeWindow()) remember(w);
    });
    if (QWidget* w = QApplication::activeWindow()) remember(w);
}

QWidget* dialogowner() {
    if (QWidget* modal = QApplication::activeModalWidget(); usable(modal)) return modal;
    if (QWidget* active = QApplication::activeWindow(); usable(active)) return active;
    for (const QPointer<QWidget>& w : recent())
        if (usable(w)) return w;
    return nullptr;
}

void keepontop(QWidget& dialog) {
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    stackaboveoverlays(dialog);
}

void fitmessagebox(QMessageBox& box) {
    if (box.parentWidget()) box.setWindowModality(Qt::WindowModal);
    keepontop(box);
    // The title bar holds the title beside the window's icon and buttons.
    QFont titlefont = box.font();
    titlefont.setBold(true);
    const int bar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const int wanted = QFontMetrics(titlefont).horizontalAdvance(box.windowTitle()) + 5 * bar;
    // QMessageBox sizes itself to its text; a spanning spacer is the width it keeps.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}
