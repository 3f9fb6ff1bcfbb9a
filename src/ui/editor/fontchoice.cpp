#include "ui/editor/fontchoice.h"

#include "schedule/notificationform.h"

#include <QFontDatabase>

#include <algorithm>

QStringList fontfamilies() {
    QStringList families = QFontDatabase::families();
    families.removeDuplicates();
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return families;
}

QString installedfont(const QString& name) {
    const QStringList families = fontfamilies();
    const int i = matchitem(families, name);
    return i < 0 ? QString() : families[i];
}
