#include "linuxplatform/xdgautostart.h"

#include "linuxplatform/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// One argument of an Exec line: always quoted, so blanks and shell characters are plain
// text; inside the quotes ", `, $ and \ take a backslash, and % is doubled because the
// launcher expands field codes.
QString execargument(const QString& arg) {
    QString out = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') out += u'\\';
        if (c == u'%') out += u'%';
        out += c;
    }
    return out + u'"';
}

// The escapes of every string value, applied after the Exec quoting.
QString stringvalue(const QString& value) {
    QString out;
    for (const QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    if (out.startsWith(u' ')) out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

} // namespace

QByteArray desktopentry(const QString& program) {
    const QFileInfo info(program);
    QString exec = execargument(info.absoluteFilePath());
    // GLib looks for the program before it expands %%, so a doubled % in the program's
    // own name would hide it; env runs it from an argument instead.
    if (info.absoluteFilePath().contains(u'%')) exec.prepend(QStringLiteral("/usr/bin/env "));
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Chimelet\n");
    text += QStringLiteral("Exec=") + stringvalue(exec) + u'\n';
    text += QStringLiteral("Path=") + stringvalue(info.absolutePath()) + u'\n';
    return text.toUtf8();
}

QString XdgAutostart::create(const QString& program) {
    const QString folder = folder_.isEmpty() ? specialfolder(SpecialFolder::Autostart) : folder_;
    QString entry = QDir(folder).filePath(QStringLiteral("Chimelet.desktop"));
    // Failures are not reported: the path is kept, and the next OK tries again.
    if (!QDir().mkpath(folder)) return entry;
    QSaveFile file(entry);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(desktopentry(program));
        file.commit();
    }
    return entry;
}

bool XdgAutostart::exists(const QString& entry) const {
    return !entry.isEmpty() && QFileInfo::exists(entry);
}

void XdgAutostart::remove(const QString& entry) {
    if (!entry.isEmpty()) QFile::remove(entry);
}
