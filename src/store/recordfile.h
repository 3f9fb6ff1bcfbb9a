#pragma once

#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

// A typed file of fixed-size records addressed by index x size. The one place that
// reads and writes the stores; every failure raises IoError with a readable text.
class RecordFile {
public:
    explicit RecordFile(std::size_t recordSize);

    // Opens an existing file keeping its contents, or creates it when `create` is set.
    void open(const QString& path);
    void create(const QString& path);
    // Closing never fails; a closed file stays closed.
    void close();
    bool isOpen() const { return file_.isOpen(); }
    QString path() const { return file_.fileName(); }

    // `count` records from `index` on, in one read.
    void read(int64_t index, uint8_t* into, int64_t count = 1);
    void write(int64_t index, const uint8_t* from);
    int64_t recordspresent() const;

private:
    void seekto(int64_t index, const char* action);

    std::size_t size_;
    QFile file_;
};
