#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary folder that plays the executable's folder in a test.
class TempFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};
