#include "ui/mainwindow/listcolumns.h"

const std::array<ListColumn, kListColumns>& listcolumns() {
    static const std::array<ListColumn, kListColumns> table = {{
        {"Notification Text", 178, 0},
        {"Image", 120, 0},
        {"Audio", 120, 0},
        {"", 23, 23},
        {"Time", 70, 0},
        {"Left", 70, 0},
        {"", 23, 23},
        {"", 23, 23},
        {"", 0, 0},
        {"", 0, 0},
    }};
    return table;
}

std::optional<ColumnFit> columnfit(int outerWidth) {
    if (outerWidth <= 643) return std::nullopt;
    return ColumnFit{outerWidth / 4 - 5, outerWidth / 5 - 5, outerWidth / 5 - 5, outerWidth / 4};
}
