#include "store/runstate.h"

#include "store/filebytes.h"
#include "store/nativename.h"

#include <QFile>

namespace {
constexpr const char* kTag = "chimelet-run-1";
// A path of PATH_MAX bytes and the lines around it.
constexpr qint64 kMaxBytes = 8192;
} // namespace

bool writerunstate(const QString& path, const RunState& state) {
    const QByteArray text = QByteArray(kTag) + "\nmodified=" + (state.modified ? "1" : "0") +
                            "\nfile=" + nativename(state.listfile) + '\n';
    return replacefile(path, text);
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
    // The name's bytes as written, whatever their encoding.
    state.listfile = namefromnative(file);
    return state;
}

void removerunstate(const QString& path) {
    QFile::remove(path);
}
