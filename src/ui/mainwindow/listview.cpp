#include "ui/mainwindow/listview.h"

#include "schedule/rowtable.h"
#include "ui/mainwindow/listcolumns.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

QFont unshapedfont(QFont font) {
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

NotificationListView::NotificationListView(QWidget* parent) : QTreeView(parent) {
    setFont(unshapedfont(font()));
}

void NotificationListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                       const QList<int>& roles) {
    const int left = columnofpart(rowpart::Left);
    const bool leftonly = topLeft.column() == left && bottomRight.column() == left;
    // A "Left" text changed some other way is painted whole when next it changes.
    if (!leftonly && topLeft.column() <= left && bottomRight.column() >= left)
        shown_.erase(shown_.lower_bound(topLeft.row()), shown_.upper_bound(bottomRight.row()));
    // Qt looks at every row of a range for the part of the viewport it covers.
    if ((topLeft.row() == bottomRight.row() && !leftonly) || topLeft.parent().isValid()) {
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
    // top row at every tick. The repaint alone is its base's, or for "Left" our own.
    if (leftonly) {
        if (window()->isMinimized()) {
            // Nothing is painted until the window comes back: the cells then are painted whole.
            shown_.clear();
            viewport()->update(visualRect(from) | visualRect(to));
        } else {
            repaintleft(first, last);
        }
        // What Qt's view tells a screen reader of a change.
        if (QAccessible::isActive()) {
            QAccessibleTableModelChangeEvent told(this,
                                                  QAccessibleTableModelChangeEvent::DataChanged);
            told.setFirstRow(first);
            told.setLastRow(last);
            told.setFirstColumn(from.column());
            told.setLastColumn(to.column());
            QAccessible::updateAccessibility(&told);
        }
        return;
    }
    if (from.column() >= columnofpart(rowpart::Left) &&
        to.column() <= columnofpart(rowpart::State)) {
        QAbstractItemView::dataChanged(from, to, roles); // NOLINT(bugprone-parent-virtual-call)
        return;
    }
    QTreeView::dataChanged(from, to, roles);
}

void NotificationListView::rowsInserted(const QModelIndex& parent, int start, int end) {
    shown_.clear(); // the rows below moved
    QTreeView::rowsInserted(parent, start, end);
}

void NotificationListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    shown_.clear();
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void NotificationListView::reset() {
    shown_.clear();
    QTreeView::reset();
}

void NotificationListView::doItemsLayout() {
    shown_.clear();
    QTreeView::doItemsLayout();
}

void NotificationListView::forgethidden() {
    // What the screen showed of rows that left the view is not known any more.
    const QModelIndex top = indexAt(QPoint(0, 0));
    if (!top.isValid()) {
        shown_.clear();
        return;
    }
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    shown_.erase(shown_.begin(), shown_.lower_bound(top.row()));
    if (bottom.isValid()) shown_.erase(shown_.upper_bound(bottom.row()), shown_.end());
}

void NotificationListView::repaintleft(int first, int last) {
    const int column = columnofpart(rowpart::Left);
    const auto* ticking = qobject_cast<const TickingCellDelegate*>(itemDelegateForColumn(column));
    forgethidden();
    QStyleOptionViewItem option;
    if (ticking) initViewItemOption(&option);
    QRegion changed;
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, column, rootIndex());
        const QRect cell = visualRect(index);
        QString now = index.data().toString();
        auto known = shown_.find(row);
        if (known == shown_.end() || known->second.cell != cell || !ticking) {
            changed += cell;
        } else if (known->second.text != now) {
            option.rect = cell;
            changed += ticking->changedpart(option, index, known->second.text, now);
        } else {
            continue;
        }
        shown_[row] = {cell, std::move(now)};
    }
    viewport()->update(changed);
}

void NotificationListView::paintEvent(QPaintEvent* event) {
    // Qt's tree painting asks the X server where the pointer is at every paint, for the
    // hover look of branches a flat list has none of: a round trip, and a wake-up of the
    // program, at every second the list counts down. A flat list is painted here, row by
    // row as Qt paints it, from what the view knows.
    if (rootIsDecorated() || !uniformRowHeights() || !model() || !selectionModel() ||
        model()->columnCount(rootIndex()) == 0) {
        shown_.clear(); // Qt's painting tells nothing of what it painted
        QTreeView::paintEvent(event);
        return;
    }
    const QRect area = event->region().boundingRect() & viewport()->rect();
    forgethidden();
    // Only where the region is one rectangle is every cell inside it painted whole.
    const QRect whole = event->region().rectCount() == 1 ? area : QRect();
    // The first row in the area, found through a column shown at its top.
    QModelIndex first;
    for (int v = 0; v < header()->count() && !first.isValid(); ++v) {
        const int column = header()->logicalIndex(v);
        if (isColumnHidden(column) || columnWidth(column) <= 0) continue;
        const int x = columnViewportPosition(column) + columnWidth(column) - 1;
        if (x >= 0) first = indexAt(QPoint(x, area.top()));
    }
    if (!first.isValid()) return; // below the last row: the background is all there is
    QPainter painter(viewport());
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QRect top = visualRect(first);
    const int rows = model()->rowCount(rootIndex());
    // The shown columns in the order shown, where they lie: the same for every row.
    std::vector<ShownColumn> columns;
    const QHeaderView* head = header();
    for (int v = 0; v < head->count(); ++v) {
        const int column = head->logicalIndex(v);
        if (!head->isSectionHidden(column))
            columns.push_back({column, columnViewportPosition(column), columnWidth(column)});
    }
    for (int row = first.row(), y = top.y(); row < rows && y <= area.bottom();
         ++row, y += top.height())
        paintrow(painter, base, columns, row, QRect(0, y, 0, top.height()), area, whole);
}

void NotificationListView::paintrow(QPainter& painter, const QStyleOptionViewItem& base,
                                    const std::vector<ShownColumn>& columns, int row,
                                    const QRect& line, const QRect& area, const QRect& whole) {
    const QModelIndex root = rootIndex();
    const QHeaderView* head = header();
    const int y = line.y(), height = line.height();
    const QModelIndex current = currentIndex();
    const bool focusrow = hasFocus() && current.isValid() && current.row() == row &&
                          current.parent() == root && allColumnsShowFocus();
    // Each cell told where in the row it lies.
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int column = columns[i].logical;
        const QRect cell(columns[i].x, y, columns[i].width, height);
        if (!cell.intersects(area)) continue;
        const QModelIndex index = model()->index(row, column, root);
        QStyleOptionViewItem option = base;
        option.rect = cell;
        option.viewItemPosition = columns.size() == 1       ? QStyleOptionViewItem::OnlyOne
                                  : i == 0                  ? QStyleOptionViewItem::Beginning
                                  : i + 1 == columns.size() ? QStyleOptionViewItem::End
                                                            : QStyleOptionViewItem::Middle;
        if (selectionModel()->isSelected(index)) option.state |= QStyle::State_Selected;
        if (hasFocus() && index == current && !allColumnsShowFocus())
            option.state |= QStyle::State_HasFocus;
        if (isEnabled()) {
            QPalette::ColorGroup group = QPalette::Inactive;
            if (!(model()->flags(index) & Qt::ItemIsEnabled)) {
                option.state &= ~QStyle::State_Enabled;
                group = QPalette::Disabled;
            } else if (option.state & QStyle::State_Active) {
                group = QPalette::Active;
            }
            option.palette.setCurrentColorGroup(group);
        }
        style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
        itemDelegateForIndex(index)->paint(&painter, option, index);
        // A cell painted in part shows what it showed outside that part.
        if (column == columnofpart(rowpart::Left) && whole.contains(cell))
            shown_[row] = {cell, index.data().toString()};
    }
    if (!focusrow) return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(base);
    focus.state |= QStyle::State_KeyboardFocusChange;
    const QPalette::ColorGroup group =
        base.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    focus.backgroundColor = base.palette.color(
        group, selectionModel()->isSelected(current) ? QPalette::Highlight : QPalette::Window);
    const int x = base.showDecorationSelected ? 0 : head->sectionPosition(0);
    focus.rect = style()->visualRect(layoutDirection(), viewport()->rect(),
                                     QRect(x - head->offset(), y, head->length() - x, height));
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter);
}

void TickingCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // Without an icon or a check box the text has the whole cell; measuring the text to
    // find that out costs as much as drawing it.
    const bool decorated =
        cell.features & QStyleOptionViewItem::HasCheckIndicator || !cell.icon.isNull();
    QRect textrect = cell.rect;
    if (decorated) textrect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    const QString text = std::exchange(cell.text, QString());
    // Without its text, a cell that is not selected, focused or hovered and has no
    // background, icon or check box is nothing the style draws: the view's base colour,
    // already filled. Most of a tick's cells are that.
    const bool bare = !(cell.state & (QStyle::State_Selected | QStyle::State_HasFocus |
                                      QStyle::State_MouseOver)) &&
                      cell.backgroundBrush.style() == Qt::NoBrush && !decorated;
    if (!bare) style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
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

QRect TickingCellDelegate::changedpart(const QStyleOptionViewItem& option, const QModelIndex& index,
                                       const QString& was, const QString& now) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const bool fromleft =
        cell.direction == Qt::LeftToRight &&
        QStyle::visualAlignment(cell.direction, cell.displayAlignment) & Qt::AlignLeft &&
        !(cell.features & QStyleOptionViewItem::HasCheckIndicator) && cell.icon.isNull();
    if (!fromleft) return cell.rect;
    qsizetype same = 0;
    while (same < was.size() && same < now.size() && was[same] == now[same])
        ++same;
    // The character before the first that changed may kern into it or it into that one.
    const qsizetype kept = std::max<qsizetype>(same - 1, 0);
    if (kept == 0) return cell.rect;
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int from = cell.rect.left() + margin + advance(cell.font, now.left(kept));
    QRect part = cell.rect;
    part.setLeft(std::clamp(from, cell.rect.left(), cell.rect.right()));
    return part;
}

int TickingCellDelegate::advance(const QFont& font, const QString& text) const {
    // A countdown's leading characters stay for seconds to hours: measured once while they do.
    if (font != advancefont_ || advances_.size() > 512) {
        advances_.clear();
        advancefont_ = font;
    }
    auto known = advances_.constFind(text);
    if (known == advances_.constEnd())
        known =
            advances_.insert(text, static_cast<int>(QFontMetricsF(font).horizontalAdvance(text)));
    return *known;
}
