#include "ui/mainwindow/listcolumns.h"

const std::array<ListColumn, kListColumns>& listcolumns() {
    static const std::array<ListColumn, kListColumns> table = {{
        {"Notification Text", 178, 0, "Notification Text"},
        {"Image", 120, 0, "Image"},
        {"Audio", 120, 0, "Audio"},
        {"", 23, 23, "Timer Type"},
        {"Time", 70, 0, "Time"},
        {"Left", 70, 0, "Left"},
        {"", 23, 23, "State"},
        {"", 23, 23, "Repeat"},
        {"", 0, 0, "Record"},
        {"", 0, 0, ""},
    }};
    return table;
}

std::optional<ColumnFit> columnfit(int outerWidth) {
    if (outerWidth <= 643) return std::nullopt;
    return ColumnFit{outerWidth / 4 - 5, outerWidth / 5 - 5, outerWidth / 5 - 5, outerWidth / 4};
}
