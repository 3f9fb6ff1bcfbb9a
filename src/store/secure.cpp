#include "store/secure.h"

#include "store/ioerror.h"
#include "store/shortstring.h"

#include <QFile>

namespace {
constexpr std::size_t kText = 0;
constexpr std::size_t kValue = 256;
constexpr std::size_t kFlag = 264;
constexpr int kBlankRecords = 4;
} // namespace

std::array<uint8_t, kSettingsRecordSize> encodesettings(const TSettingsRecord& rec) {
    std::array<uint8_t, kSettingsRecordSize> raw{};
    bytes::putshortstring(raw.data() + kText, 255, rec.Text);
    bytes::putint64(raw.data() + kValue, rec.Value);
    raw[kFlag] = rec.Flag;
    return raw;
}

TSettingsRecord decodesettings(const uint8_t* raw) {
    return TSettingsRecord{bytes::getshortstring(raw + kText, 255), bytes::getint64(raw + kValue),
                           raw[kFlag]};
}

std::string shifttext(const std::string& text, int amount) {
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        int v = static_cast<unsigned char>(text[i]) + amount;
        if (v > 255) v = 0;
        if (v < 0) v = 255;
        out[i] = static_cast<char>(v);
    }
    return out;
}

SettingsStore::SettingsStore() : file_(kSettingsRecordSize) {}

bool SettingsStore::opensettings(const QString& path) {
    try {
        if (QFile::exists(path)) {
            file_.open(path);
        } else {
            file_.create(path);
            for (int i = 0; i < kBlankRecords; ++i)
                writesetting(TSettingsRecord{}, i);
        }
        const TSettingsRecord first = readsetting(0);
        startMinimized_ = first.Value != 0;
        defaultFile_ = plaintext(first.Text);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

TSettingsRecord SettingsStore::readsetting(int32_t number) {
    std::array<uint8_t, kSettingsRecordSize> raw;
    file_.read(number, raw.data());
    return decodesettings(raw.data());
}

void SettingsStore::writesetting(const TSettingsRecord& rec, int32_t number) {
    const auto raw = encodesettings(rec);
    file_.write(number, raw.data());
}
