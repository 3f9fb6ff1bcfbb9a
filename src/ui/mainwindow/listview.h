#pragma once

#include <QStyledItemDelegate>
#include <QTreeView>

// The Notification list's view. A tick changes the "Left" cell of every running row, as
// one range over the whole list; the view repaints only the part of it that is on
// screen, so a tick costs what a screenful costs however long the list. Rows scrolled
// into view later are painted from the model as they come.
class NotificationListView : public QTreeView {
    Q_OBJECT
public:
    explicit NotificationListView(QWidget* parent = nullptr);

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void paintrow(QPainter& painter, const QStyleOptionViewItem& base, int row, int y, int height,
                  const QRect& area) const;
};

// A font whose Latin texts are drawn without the shaping pass: the list and the clock
// redraw their texts every second, and shaping is most of what that costs. Scripts
// that need shaping still get it.
QFont unshapedfont(QFont font);

// Paints the cells whose text changes every second ("Left"): the style draws the cell
// without its text, and the text is laid out and drawn once, where the style lays it out
// twice (once to elide it, which the list never does).
class TickingCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
