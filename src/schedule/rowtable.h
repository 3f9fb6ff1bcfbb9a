#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <vector>

// The Notification list as data: one row per Notification, caption and sub-items 0-7
// with their icons, in the order added. The engine reads and writes it without any
// widget; the main window shows it through a model that listens to the signals.
struct NotificationRow {
    QString caption;
    int itemImage = -1;
    std::array<QString, 8> sub;
    std::array<int, 8> subImage{-1, -1, -1, -1, -1, -1, -1, -1};
};

// Sub-item numbers and list icon indices.
namespace rowpart {
constexpr int Image = 0, Audio = 1, TimerType = 2, Time = 3, Left = 4, State = 5, Repeat = 6,
              RecordIndex = 7;
}
namespace icon {
constexpr int None = -1, Active = 0, Inactive = 1, Audio = 2, CertainTime = 3, Countdown = 4,
              Notification = 5, Image = 6, RunOnce = 7, Repeat = 8;
}

class RowTable : public QObject {
    Q_OBJECT
public:
    int size() const { return static_cast<int>(rows_.size()); }
    bool exists(int row) const { return row >= 0 && row < size(); }
    const NotificationRow& row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }

    int append(const NotificationRow& row);
    void replace(int r, const NotificationRow& row);
    void remove(int r);
    void clear();

    QString subitem(int r, int part) const { return row(r).sub[static_cast<std::size_t>(part)]; }
    void setsubitem(int r, int part, const QString& text);
    void setsubitem(int r, int part, const QString& text, int image);

    // Sub-item 7 as a record index; -1 for a missing row or a text that is no number.
    int recordindex(int r) const;

signals:
    void rowAppended(int row);
    void rowChanged(int row, int part); // part -1: the whole row
    void rowRemoved(int row);
    void cleared();

private:
    std::vector<NotificationRow> rows_;
};
