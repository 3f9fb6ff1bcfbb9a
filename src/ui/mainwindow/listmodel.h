#pragma once

#include <QAbstractTableModel>

class ImageList;
class RowTable;

// Shows a RowTable in the ten list columns. The table is the truth and tells of its
// changes only after making them, so the model keeps the row count the view has
// seen and catches up one signal at a time, as Qt's model contract requires.
class NotificationListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    NotificationListModel(const RowTable& rows, const ImageList& icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // True between the table's change and the model's catching up, while the view may
    // still count the rows as they were.
    bool catchingup() const { return catchingup_; }

private:
    void appended(int first, int last);
    void changed(int first, int last, int firstpart, int lastpart);
    void removed(int row);
    void cleared();

    const RowTable& rows_;
    const ImageList& icons_;
    int shown_ = 0;
    bool catchingup_ = false;
};
