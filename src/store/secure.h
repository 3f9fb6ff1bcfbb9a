#pragma once

#include "store/recordfile.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>

// The settings store chsb.rez: 272-byte records; record 0 holds the start-up
// settings, record 3 the path of the autostart entry last made.
struct TSettingsRecord {
    std::string Text; // short string, at most 255 characters
    int64_t Value = 0;
    uint8_t Flag = 0;

    bool operator==(const TSettingsRecord&) const = default;
};

constexpr std::size_t kSettingsRecordSize = 272;

std::array<uint8_t, kSettingsRecordSize> encodesettings(const TSettingsRecord& rec);
TSettingsRecord decodesettings(const uint8_t* raw);

// The program's own character shift for stored paths: +1 going in, -1 coming out.
// Sums beyond the byte range saturate to the other end (0 or 255).
std::string shifttext(const std::string& text, int amount);

class SettingsStore {
public:
    SettingsStore();

    // Opens the store, creating it with four blank records when no file exists, and
    // reads the start-up settings. False when anything fails.
    bool opensettings(const QString& path);
    TSettingsRecord readsetting(int32_t number);
    void writesetting(const TSettingsRecord& rec, int32_t number);
    void close() { file_.close(); }

    bool startminimized() const { return startMinimized_; }
    std::string defaultfile() const { return defaultFile_; }

    // Stored texts go through the shift; these do both steps.
    static std::string storedtext(const std::string& plain) { return shifttext(plain, 1); }
    static std::string plaintext(const std::string& stored) { return shifttext(stored, -1); }

private:
    RecordFile file_;
    bool startMinimized_ = false;
    std::string defaultFile_;
};
