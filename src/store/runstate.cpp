#include "store/runstate.h"

#include "store/filebytes.h"
#include "store/privatefiles.h"

#include <QFile>
#include <QSaveFile>

namespace {
constexpr const char* kTag = "chimelet-run-1";
// A path of PATH_MAX bytes and the lines around it.
constexpr qint64 kMaxBytes = 8192;
} // namespace

bool writerunstate(const QString& path, const RunState& state) {
    const QByteArray text = QByteArray(kTag) + "\nmodified=" + (state.modified ? "1" : "0") +
                            "\nfile=" + state.listfile.toUtf8() + '\n';
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.setPermissions(kOwnerOnly)) return false;
    f.write(text);
    return f.commit();
}

std::optional<RunState> readrunstate(const QString& path) {
    if (!QFile::exists(path)) return std::nullopt;
    const RunState unknown{{}, true};
    const auto bytes = readregularfile(path, kMaxBytes);
    if (!bytes) return unknown;
    const QList<QByteArray> lines = bytes->split('\n');
    if (lines.size() < 3 || lines[0] != kTag || !lines[2].startsWith("file=")) return unknown;
    RunState state;
    state.modified = lines[1] != "modified=0";
    const QByteArray file = lines[2].mid(5);
    state.listfile = QString::fromUtf8(file);
    // A name that is not the one written is no name.
    if (state.listfile.toUtf8() != file) return unknown;
    return state;
}

void removerunstate(const QString& path) {
    QFile::remove(path);
}
