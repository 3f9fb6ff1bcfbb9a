#include "ui/mainwindow/listview.h"

#include "schedule/rowtable.h"
#include "ui/mainwindow/listcolumns.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <utility>

QFont unshapedfont(QFont font) {
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

NotificationListView::NotificationListView(QWidget* parent) : QTreeView(parent) {
    setFont(unshapedfont(font()));
}

void NotificationListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                       const QList<int>& roles) {
    // Qt looks at every row of a range for the part of the viewport it covers.
    if (topLeft.row() == bottomRight.row() || topLeft.parent().isValid()) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // Hidden, nothing shows the change; the rows are painted from the model when shown.
    if (!isVisible()) return;
    const QModelIndex top = indexAt(QPoint(0, 0));
    if (!top.isValid()) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    const int first = std::max(topLeft.row(), top.row());
    const int last =
        std::min(bottomRight.row(), bottom.isValid() ? bottom.row() : bottomRight.row());
    if (first > last) return;
    const QModelIndex from = topLeft.siblingAtRow(first), to = bottomRight.siblingAtRow(last);
    // "Left" and the state are one-line texts the program writes itself: they never change
    // a row's height, which the tree view would measure again across every column of the
    // top row at every tick. The repaint alone is its base's.
    if (from.column() >= columnofpart(rowpart::Left) &&
        to.column() <= columnofpart(rowpart::State)) {
        QAbstractItemView::dataChanged(from, to, roles); // NOLINT(bugprone-parent-virtual-call)
        return;
    }
    QTreeView::dataChanged(from, to, roles);
}

void TickingCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // Without an icon or a check box the text has the whole cell; measuring the text to
    // find that out costs as much as drawing it.
    QRect textrect = cell.rect;
    if (cell.features & QStyleOptionViewItem::HasCheckIndicator || !cell.icon.isNull())
        textrect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    const QString text = std::exchange(cell.text, QString());
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    if (text.isEmpty()) return;

    // The text as the style draws it: its margins, colours and alignment.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    textrect.adjust(margin, 0, -margin, 0);
    QPalette::ColorGroup group =
        cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
        group = QPalette::Inactive;
    painter->save();
    painter->setClipRect(cell.rect);
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(
        group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(
        textrect,
        static_cast<int>(QStyle::visualAlignment(cell.direction, cell.displayAlignment)) |
            Qt::TextSingleLine,
        text);
    painter->restore();
}
