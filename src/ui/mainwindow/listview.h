#pragma once

#include <QHash>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <map>
#include <vector>

// The Notification list's view. A tick changes the "Left" cell of every running row, as
// one range over the whole list; the view repaints only the part of it that is on
// screen, so a tick costs what a screenful costs however long the list. Rows scrolled
// into view later are painted from the model as they come. Of a "Left" cell in view it
// repaints only the characters that changed, and nothing of one whose text did not.
class NotificationListView : public QTreeView {
    Q_OBJECT
public:
    explicit NotificationListView(QWidget* parent = nullptr);
    void reset() override;
    void doItemsLayout() override;

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void paintEvent(QPaintEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    // A "Left" text as the screen shows it: painted whole, or the part of it that changed.
    struct ShownText {
        QRect cell;
        QString text;
    };
    struct ShownColumn {
        int logical, x, width;
    };
    // `line`: the row's top and height; `whole`: the part of `area` where the cells are
    // painted whole.
    void paintrow(QPainter& painter, const QStyleOptionViewItem& base,
                  const std::vector<ShownColumn>& columns, int row, const QRect& line,
                  const QRect& area, const QRect& whole);
    // Forgets the texts of rows out of view.
    void forgethidden();
    // Asks for the repaint of the "Left" cells of rows first to last that changed, and of
    // no more of each than its changed characters.
    void repaintleft(int first, int last);

    std::map<int, ShownText> shown_; // by row, the rows in view
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
    // The part of a cell (`option.rect`) that differs between its texts `was` and `now` as
    // this delegate draws them: from the start of the last character both begin with, as
    // far as the text is drawn from the cell's left edge, else the whole cell.
    QRect changedpart(const QStyleOptionViewItem& option, const QModelIndex& index,
                      const QString& was, const QString& now) const;

private:
    // Whole pixels of a text's width in a font.
    int advance(const QFont& font, const QString& text) const;

    mutable QFont advancefont_;
    mutable QHash<QString, int> advances_;
};
