#include "store/recordfile.h"

#include "store/filebytes.h"
#include "store/ioerror.h"
#include "store/privatefiles.h"

namespace {
std::string describe(const QFile& f) {
    return f.fileName().toStdString() + ": " + f.errorString().toStdString();
}
} // namespace

RecordFile::RecordFile(std::size_t recordSize) : size_(recordSize) {}

void RecordFile::open(const QString& path) {
    close();
    file_.setFileName(path);
    if (!QFile::exists(path)) throw IoError("File not found: " + path.toStdString());
    // A FIFO or a device would block or never end; only plain files hold records.
    if (!isregularfile(path)) throw IoError("Not a regular file: " + path.toStdString());
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw IoError("Cannot open " + describe(file_));
    if (file_.isSequential()) {
        file_.close();
        throw IoError("Not a regular file: " + path.toStdString());
    }
    // A store an earlier version left readable to others is closed now.
    file_.setPermissions(kOwnerOnly);
}

void RecordFile::create(const QString& path) {
    close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered, kOwnerOnly))
        throw IoError("Cannot create " + describe(file_));
    file_.setPermissions(kOwnerOnly);
}

void RecordFile::close() {
    if (file_.isOpen()) file_.close();
}

void RecordFile::seekto(int64_t index, const char* action) {
    if (!file_.isOpen())
        throw IoError(std::string("Cannot ") + action + " record " + std::to_string(index) +
                      ": file not open");
    if (index < 0 || !file_.seek(index * static_cast<int64_t>(size_)))
        throw IoError(std::string("Cannot ") + action + " record " + std::to_string(index) +
                      " of " + describe(file_));
}

void RecordFile::read(int64_t index, uint8_t* into, int64_t count) {
    seekto(index, "read");
    const auto want = static_cast<qint64>(size_) * count;
    if (count < 0 || file_.read(reinterpret_cast<char*>(into), want) != want)
        throw IoError("Read beyond end of file: record " + std::to_string(index) + " of " +
                      file_.fileName().toStdString() + " (" + std::to_string(recordspresent()) +
                      " records present)");
}

void RecordFile::write(int64_t index, const uint8_t* from) {
    seekto(index, "write");
    const auto put = file_.write(reinterpret_cast<const char*>(from), static_cast<qint64>(size_));
    if (put != static_cast<qint64>(size_) || !file_.flush())
        throw IoError("Cannot write record " + std::to_string(index) + " of " + describe(file_));
}

int64_t RecordFile::recordspresent() const {
    return file_.isOpen() ? file_.size() / static_cast<int64_t>(size_) : 0;
}
