#include "shell/list_ctrl_ex.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace Vantrel {

namespace {

// Pixels kept free beside a cell text: the first column's label sits 2 pixels inside its cell
// and keeps 4 in reserve; the further columns sit 6 pixels inside and keep 12.
constexpr int label_margin = 2;
constexpr int label_reserve = 4;
constexpr int cell_margin = 6;
constexpr int cell_reserve = 12;

const QString ellipsis = QStringLiteral("...");

}  // namespace

QString shorten_text(const QFontMetrics& metrics, const QString& text, int available, int reserve) {
  if (text.isEmpty() || metrics.horizontalAdvance(text) + reserve <= available) return text;
  const int dots = metrics.horizontalAdvance(ellipsis);
  qsizetype keep = std::max<qsizetype>(text.size() - 1, 1);
  while (keep > 1 && metrics.horizontalAdvance(text.left(keep)) + reserve + dots > available)
    --keep;
  return text.left(keep) + ellipsis;
}

CListCtrlEx::CListCtrlEx(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(0);
  setRootIsDecorated(false);
  setIndentation(0);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);
  setSortingEnabled(false);
  header()->setSectionsMovable(false);
  header()->setSectionsClickable(false);
  header()->setStretchLastSection(false);
  header()->setMinimumSectionSize(1);
}

bool CListCtrlEx::SetFullRowSelection(bool on) {
  if (on == full_row_selection_) return false;
  full_row_selection_ = on;
  viewport()->update();
  return true;
}

void CListCtrlEx::SetClientWidthSelection(bool on) {
  client_width_selection_ = on;
  viewport()->update();
}

void CListCtrlEx::SetFillColumn(int column) {
  fill_column_ = column;
  fit_columns();
}

void CListCtrlEx::fit_columns() {
  int others = 0;
  for (int c = 0; c < static_cast<int>(widths_.size()); ++c) {
    header()->resizeSection(c, widths_[static_cast<std::size_t>(c)]);
    if (c != fill_column_) others += widths_[static_cast<std::size_t>(c)];
  }
  if (fill_column_ < 0 || fill_column_ >= static_cast<int>(widths_.size())) return;
  const int left = viewport()->width() - others;
  if (left > widths_[static_cast<std::size_t>(fill_column_)])
    header()->resizeSection(fill_column_, left);
}

void CListCtrlEx::InsertColumn(int column, const QString& header_text, Qt::Alignment alignment,
                               int width) {
  const int count = columnCount();
  column = std::clamp(column, 0, count);
  setColumnCount(count + 1);
  // Later columns move one place right, with their header and cell texts.
  QTreeWidgetItem* head = headerItem();
  for (int c = count; c > column; --c) {
    head->setText(c, head->text(c - 1));
    head->setTextAlignment(c, Qt::Alignment(head->textAlignment(c - 1)));
    for (int i = 0; i < topLevelItemCount(); ++i) {
      QTreeWidgetItem* row = topLevelItem(i);
      row->setText(c, row->text(c - 1));
    }
  }
  for (int i = 0; i < topLevelItemCount(); ++i) topLevelItem(i)->setText(column, QString());
  head->setText(column, header_text);
  head->setTextAlignment(column, alignment | Qt::AlignVCenter);
  alignments_.insert(alignments_.begin() + column, alignment);
  widths_.insert(widths_.begin() + column, std::max(width, 0));
  fit_columns();
}

void CListCtrlEx::InsertItem(int position, const QString& text, int item_data) {
  auto* row = new QTreeWidgetItem;
  row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  row->setText(0, text);
  row->setData(0, Qt::UserRole, item_data);
  insertTopLevelItem(std::clamp(position, 0, topLevelItemCount()), row);
}

void CListCtrlEx::SetItemText(int item, int subitem, const QString& text) {
  QTreeWidgetItem* row = topLevelItem(item);
  if (row == nullptr || subitem < 0 || subitem >= columnCount()) return;
  row->setText(subitem, text);
}

QString CListCtrlEx::GetItemText(int item, int subitem) const {
  const QTreeWidgetItem* row = topLevelItem(item);
  return row == nullptr ? QString() : row->text(subitem);
}

int CListCtrlEx::GetItemData(int item) const {
  const QTreeWidgetItem* row = topLevelItem(item);
  return row == nullptr ? 0 : row->data(0, Qt::UserRole).toInt();
}

int CListCtrlEx::GetStringWidth(const QString& text) const {
  return fontMetrics().horizontalAdvance(text);
}

void CListCtrlEx::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= columnCount()) return;
  widths_[static_cast<std::size_t>(column)] = std::max(width, 0);
  fit_columns();
}

QRect CListCtrlEx::row_rect(const QRect& item_rect) const {
  // From the first column's left edge to the last column's right edge, or on to the client
  // area's right edge.
  const int last = columnCount() - 1;
  const int left = header()->sectionViewportPosition(0);
  int right =
      last < 0 ? left : header()->sectionViewportPosition(last) + header()->sectionSize(last);
  if (client_width_selection_ && right < viewport()->width()) right = viewport()->width();
  return {left, item_rect.top(), right - left, item_rect.height()};
}

QRect CListCtrlEx::RowRect(int item) const {
  const QTreeWidgetItem* row = topLevelItem(item);
  if (row == nullptr) return {};
  return row_rect(visualItemRect(row));
}

CListCtrlEx::cell_drawing CListCtrlEx::layout_cell(int top, int height, int row, int column) const {
  const QRect cell(header()->sectionViewportPosition(column), top, header()->sectionSize(column),
                   height);
  const QString text = GetItemText(row, column);
  const QFontMetrics metrics(font());
  if (column == 0) {
    return {shorten_text(metrics, text, cell.width(), label_reserve), Qt::AlignLeft,
            cell.adjusted(label_margin, 0, -label_margin, 0)};
  }
  const QString shown = shorten_text(metrics, text, cell.width(), cell_reserve);
  // Only a text that fits keeps its column's alignment.
  const Qt::Alignment alignment =
      shown == text ? alignments_[static_cast<std::size_t>(column)] : Qt::AlignLeft;
  return {shown, alignment, cell.adjusted(cell_margin, 0, -cell_margin, 0)};
}

CListCtrlEx::cell_drawing CListCtrlEx::CellDrawing(int item, int column) const {
  const QTreeWidgetItem* row = topLevelItem(item);
  if (row == nullptr || column < 0 || column >= columnCount()) return {};
  const QRect rect = visualItemRect(row);
  return layout_cell(rect.top(), rect.height(), item, column);
}

void CListCtrlEx::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  if (!full_row_selection_) {
    QTreeWidget::drawRow(painter, option, index);
    return;
  }
  const int row = index.row();
  const bool focused = hasFocus();
  // Without the focus a selected row looks like any other.
  const bool selected = focused && selectionModel()->isRowSelected(row, index.parent());
  const QRect bar = row_rect(option.rect);

  painter->save();
  const QPalette& colours = palette();
  painter->fillRect(bar, colours.color(selected ? QPalette::Highlight : QPalette::Base));
  painter->setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(font());
  for (int column = 0; column < columnCount(); ++column) {
    const cell_drawing cell = layout_cell(option.rect.top(), option.rect.height(), row, column);
    if (cell.text.isEmpty()) continue;
    painter->drawText(
        cell.rect, int(cell.alignment | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip),
        cell.text);
  }
  if (focused && currentIndex().isValid() && currentIndex().row() == row) {
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = bar;
    frame.backgroundColor = colours.color(selected ? QPalette::Highlight : QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, this);
  }
  painter->restore();
}

void CListCtrlEx::keyPressEvent(QKeyEvent* event) {
  // The values shown cannot be copied: the list does not hand its cells to the clipboard.
  if (event->matches(QKeySequence::Copy)) {
    event->ignore();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

// The bar beyond the last column lies outside every cell, so the view would not repaint it
// on its own when the focus or the selection changes.
void CListCtrlEx::focusInEvent(QFocusEvent* event) {
  QTreeWidget::focusInEvent(event);
  if (full_row_selection_) viewport()->update();
}

void CListCtrlEx::focusOutEvent(QFocusEvent* event) {
  QTreeWidget::focusOutEvent(event);
  if (full_row_selection_) viewport()->update();
}

void CListCtrlEx::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
  QTreeWidget::selectionChanged(selected, deselected);
  if (full_row_selection_) viewport()->update();
}

bool CListCtrlEx::viewportEvent(QEvent* event) {
  // The client area changes with the list's size and with its vertical scroll bar coming and
  // going; the fill column follows it.
  if (event->type() == QEvent::Resize) fit_columns();
  return QTreeWidget::viewportEvent(event);
}

void CListCtrlEx::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeWidget::currentChanged(current, previous);
  if (full_row_selection_) viewport()->update();
}

}  // namespace Vantrel
