#include "schedule/listfiles.h"

#include "schedule/workspace.h"
#include "store/colortable.h"
#include "store/filebytes.h"
#include "store/nativename.h"
#include "store/notificationrecord.h"

#include <algorithm>
#include <optional>

namespace {
// The largest list read: 65,536 Notifications. Bounds what a file can make the
// program read and hold.
constexpr qint64 kMaxListBytes = 65537LL * kNotificationRecordSize;

std::optional<QByteArray> readwhole(const QString& path) {
    return readregularfile(path, kMaxListBytes);
}

RecordBytes recordat(const QByteArray& data, qsizetype index) {
    const qsizetype size = static_cast<qsizetype>(kNotificationRecordSize);
    RecordBytes raw;
    std::copy_n(data.constData() + index * size, size, reinterpret_cast<char*>(raw.data()));
    return raw;
}

// Whole records, a header, no more Notifications counted than are present, and
// every row able to show and fire: all of it checked before the open list changes.
bool islistfile(const QByteArray& data) {
    const qsizetype size = static_cast<qsizetype>(kNotificationRecordSize);
    if (data.size() < size || data.size() % size != 0) return false;
    const int32_t count = decodeheader(recordat(data, 0)).RecordCount;
    if (count < 0 || count > data.size() / size - 1) return false;
    for (int32_t i = 1; i <= count; ++i) {
        const ShownTextFields rec = decodeshowntext(recordat(data, i));
        // The preview and the text overlay read the colour of every shown text.
        const bool showstext = rec.DisplayText == 1 && rec.hastext;
        if (rec.Deleted == 0 && showstext && !iscolortext(rec.FontColor)) return false;
    }
    return true;
}

const QString kLoadFailed = QStringLiteral("Load failed");
} // namespace

bool copyfile(const QString& source, const QString& destination) {
    const auto bytes = readwhole(source);
    return bytes && replacefile(destination, *bytes);
}

QString addextension(const QString& name) {
    if (name.right(4).toLower() == QLatin1String(kListExtension)) return name;
    return name + QLatin1String(kListExtension);
}

QString filenameonly(const QString& path) {
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return slash < 0 ? QString() : path.mid(slash + 1);
}

ListFiles::ListFiles(Workspace& ws, QObject* parent) : QObject(parent), ws_(ws) {}

bool ListFiles::needsname() const {
    return ws_.currentfile().isEmpty();
}

bool ListFiles::savelist() {
    // Closed around the copy and reopened after, so the open file always is the
    // one at the path, even when the user saved over the working database itself.
    ws_.db().close();
    const bool ok = copyfile(ws_.db().path(), ws_.currentfile());
    // Reopened before any message: the tick goes on while the box is open, and
    // would fail on a closed database at every second.
    ws_.db().reopen();
    ws_.setrecordcount(ws_.db().readheader().RecordCount);
    emit fileNameChanged(shownname(filenameonly(ws_.currentfile())));
    if (ok)
        ws_.clearmodified();
    else
        emit messageRaised(QStringLiteral("Save failed"));
    return ok;
}

bool ListFiles::saveas(const QString& chosen) {
    ws_.setcurrentfile(addextension(chosen));
    return savelist();
}

bool ListFiles::loadlist() {
    if (ws_.currentfile().isEmpty()) return false;
    return open(ws_.currentfile());
}

bool ListFiles::open(const QString& path) {
    const auto bytes = readwhole(path);
    if (!bytes) {
        emit messageRaised(kLoadFailed);
        return false;
    }
    return openbytes(*bytes, path);
}

bool ListFiles::openbytes(const QByteArray& bytes, const QString& path) {
    // Checked in memory first: the bytes that pass the check are the bytes copied.
    if (!islistfile(bytes)) {
        emit messageRaised(kLoadFailed);
        return false;
    }
    ws_.db().close();
    if (!replacefile(ws_.db().path(), bytes)) {
        ws_.db().reopen();
        emit messageRaised(kLoadFailed);
        return false;
    }
    ws_.emptylist();
    ws_.db().reopen();
    showworking(path);
    ws_.clearmodified();
    return true;
}

bool ListFiles::reopenworking(const QString& listfile, bool modified) {
    // Checked as a file to open is: a list cut short by the crash is not taken.
    const auto bytes = readwhole(ws_.db().path());
    if (!bytes || !islistfile(*bytes)) return false;
    ws_.emptylist();
    ws_.db().reopen();
    showworking(listfile);
    if (modified)
        ws_.markmodified();
    else
        ws_.clearmodified();
    return true;
}

void ListFiles::showworking(const QString& path) {
    const ListHeader header = ws_.db().readheader();
    ws_.setrecordcount(header.RecordCount);
    // The program writes only 0 and 1; anything else runs as the Lateral the selector shows.
    ws_.setplaymode(header.Mode == 1 ? PlayMode::Sequential : PlayMode::Lateral);
    ws_.setseqrow(-1);
    ws_.setcurrentfile(path);
    ws_.rebuildlist(ws_.recordcount());

    ws_.setlastpreview(0);
    emit previewChanged(ws_.rows().recordindex(0).value);
    emit playmodeChanged(ws_.playmode());
    emit fileNameChanged(shownname(filenameonly(path)));
}

void ListFiles::newlist() {
    emit audioCloseRequested();
    ws_.setrecordcount(0);
    ws_.setseqrow(-1);
    emit playmodeChanged(PlayMode::Sequential);
    ws_.setplaymode(PlayMode::Sequential);
    ws_.emptylist();
    emit fileNameChanged(QString());
    ws_.setcurrentfile(QString());
    emit previewChanged(-1);
    ws_.setlastpreview(0);
    ws_.db().createdatabase();
    // The header records the mode the program now runs in, so a list saved
    // straight away opens in it again.
    ws_.db().setmodebyte(static_cast<uint8_t>(ws_.playmode()));
    ws_.clearmodified();
}

void ListFiles::startupfile() {
    const QString path = ws_.currentfile();
    ws_.setcurrentfile(QString());
    if (path.isEmpty() || !open(path)) emit previewChanged(-1);
}
