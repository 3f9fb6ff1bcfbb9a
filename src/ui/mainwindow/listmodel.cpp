#include "ui/mainwindow/listmodel.h"

#include "schedule/rowtable.h"
#include "ui/mainwindow/listcolumns.h"
#include "ui/widgets/listicons.h"

#include <algorithm>

namespace {
// Columns too narrow for their text: the icon tells, the text is the tooltip.
bool iconcolumn(int column) {
    return column == columnofpart(rowpart::TimerType) || column == columnofpart(rowpart::State) ||
           column == columnofpart(rowpart::Repeat);
}
} // namespace

NotificationListModel::NotificationListModel(const RowTable& rows, const ImageList& icons,
                                             QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), icons_(icons), shown_(rows.size()) {
    connect(&rows, &RowTable::rowsAppended, this, &NotificationListModel::appended);
    connect(&rows, &RowTable::rangeChanged, this, &NotificationListModel::changed);
    connect(&rows, &RowTable::rowRemoved, this, &NotificationListModel::removed);
    connect(&rows, &RowTable::cleared, this, &NotificationListModel::cleared);
}

int NotificationListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

int NotificationListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kListColumns;
}

QVariant NotificationListModel::data(const QModelIndex& index, int role) const {
    const int r = index.row(), column = index.column();
    if (!index.isValid() || !rows_.exists(r) || column >= kFillerColumn) return {};
    const NotificationRow& row = rows_.row(r);
    const std::size_t part = static_cast<std::size_t>(column - 1);
    const QString& text = column == 0 ? row.caption : row.sub[part];
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::DecorationRole:
        return icons_.icon(column == 0 ? row.itemImage : row.subImage[part]);
    case Qt::AccessibleTextRole:
        // A reader says the text even where the column is too narrow to show it.
        return text;
    case Qt::ToolTipRole:
        return iconcolumn(column) || column <= 2 ? QVariant(text) : QVariant();
    default:
        return {};
    }
}

QVariant NotificationListModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kListColumns) return {};
    const ListColumn& column = listcolumns()[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromLatin1(column.caption);
    // The icon columns have no caption; a reader still names them.
    if (role == Qt::AccessibleTextRole) return QString::fromLatin1(column.spoken);
    return {};
}

Qt::ItemFlags NotificationListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void NotificationListModel::appended(int first, int last) {
    catchingup_ = true;
    beginInsertRows({}, first, last);
    shown_ += last - first + 1;
    catchingup_ = false;
    endInsertRows();
}

void NotificationListModel::changed(int first, int last, int firstpart, int lastpart) {
    last = std::min(last, shown_ - 1);
    if (first < 0 || first > last) return;
    const int left = firstpart < 0 ? 0 : columnofpart(firstpart);
    const int right = columnofpart(lastpart);
    // Texts and icons only: rows keep their height, so a view need not measure every
    // changed row again.
    emit dataChanged(
        index(first, std::min(left, right)), index(last, std::max(left, right)),
        {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
}

void NotificationListModel::removed(int row) {
    catchingup_ = true;
    beginRemoveRows({}, row, row);
    --shown_;
    catchingup_ = false;
    endRemoveRows();
}

void NotificationListModel::cleared() {
    catchingup_ = true;
    beginResetModel();
    shown_ = 0;
    catchingup_ = false;
    endResetModel();
}
