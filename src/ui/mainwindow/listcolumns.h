#pragma once

#include <QString>

#include <array>
#include <optional>

// The ten columns of the Notification list: caption, starting width and the width
// limits a user drag must respect. Column 8 holds the record index and is never
// shown; column 9 is a filler that takes up the room the others leave.
struct ListColumn {
    const char* caption;
    int width;
    int minimum;        // 0: no lower limit beyond the view's own
    const char* spoken; // what a screen reader calls the column, caption or not
};

inline constexpr int kListColumns = 10;
inline constexpr int kRecordIndexColumn = 8;
inline constexpr int kFillerColumn = 9;

const std::array<ListColumn, kListColumns>& listcolumns();

// Column shown for a row part: the caption is column 0, sub-item n is column n + 1.
inline constexpr int columnofpart(int part) {
    return part + 1;
}

// New widths for columns 0, 1, 2 and the filler when the window is `outerWidth`
// pixels wide; nothing while it is 643 pixels or narrower.
struct ColumnFit {
    int caption, image, audio, filler;
    bool operator==(const ColumnFit&) const = default;
};
std::optional<ColumnFit> columnfit(int outerWidth);
