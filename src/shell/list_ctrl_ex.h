#pragma once
// The result list of the calculation pages: a report list whose rows the control draws itself
// once full-row selection is on. The selection bar spans every column and reaches the right edge
// of the client area, and is drawn highlighted only while the list has the keyboard focus. Cell
// texts too wide for their column are shortened to end in "...", and a column's alignment is
// honoured only for a text that fits. One column may take the width the others leave, so that
// the columns fill the list as it grows. Selecting or clicking a row does nothing else.

#include <QFontMetrics>
#include <QString>
#include <QTreeWidget>
#include <vector>

namespace Vantrel {

// `text` shortened to fit `available` pixels with `reserve` pixels to spare: unchanged when it
// fits (or is empty), else its longest leading part, at least one character, followed by "...".
QString shorten_text(const QFontMetrics& metrics, const QString& text, int available, int reserve);

class CListCtrlEx : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CListCtrlEx(QWidget* parent = nullptr);

  // Switches drawing by the control on or off; returns whether that changed anything.
  bool SetFullRowSelection(bool on);
  bool GetFullRowSelection() const { return full_row_selection_; }

  // Whether a selected row's bar reaches the client area's right edge (on by default).
  void SetClientWidthSelection(bool on);

  // The column that takes the width the other columns leave in the client area, never less
  // than the width set for it; -1 (the default) for none.
  void SetFillColumn(int column);

  // The report-list operations the pages use.
  void InsertColumn(int column, const QString& header, Qt::Alignment alignment, int width);
  void InsertItem(int position, const QString& text, int item_data);
  void SetItemText(int item, int subitem, const QString& text);
  QString GetItemText(int item, int subitem) const;
  int GetItemData(int item) const;
  int GetStringWidth(const QString& text) const;
  void SetColumnWidth(int column, int width);

  // How one cell is drawn: the text after shortening, its alignment and the rectangle it is
  // drawn in. An empty cell has an empty text and draws nothing.
  struct cell_drawing {
    QString text;
    Qt::Alignment alignment;
    QRect rect;
  };
  cell_drawing CellDrawing(int item, int column) const;

  // The rectangle the row's selection bar fills.
  QRect RowRect(int item) const;

 protected:
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void fit_columns();
  QRect row_rect(const QRect& item_rect) const;
  cell_drawing layout_cell(int top, int height, int row, int column) const;

  bool full_row_selection_ = false;
  bool client_width_selection_ = true;
  int fill_column_ = -1;
  std::vector<Qt::Alignment> alignments_;
  std::vector<int> widths_;  // as set, before the fill column takes what is left
};

}  // namespace Vantrel
