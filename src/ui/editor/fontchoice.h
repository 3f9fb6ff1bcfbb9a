#pragma once

#include <QString>
#include <QStringList>

// The font families the editor offers, in the order it lists them.
QStringList fontfamilies();
// What the editor's font list shows for a name: the installed family of that name in its
// own spelling, or nothing when none is installed.
QString installedfont(const QString& name);
