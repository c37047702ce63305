#include "shell/dialog_page.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <vector>

#include "shell/list_ctrl_ex.h"

namespace Vantrel {

logo_button::logo_button(QWidget* parent) : QAbstractButton(parent) {
  setEnabled(false);
  setFocusPolicy(Qt::NoFocus);
}

void logo_button::set_picture(const QPixmap& picture) {
  picture_ = picture;
  if (!picture_.isNull()) resize(picture_.deviceIndependentSize().toSize());
  update();
}

void logo_button::paintEvent(QPaintEvent* /*event*/) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

namespace {

// Taller statics hold more than one line and wrap their text.
constexpr int one_line_height = 12;
constexpr double smallest_fit = 0.75;

QLabel* make_label(const control_template& item, Qt::Alignment alignment, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(item.text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(alignment);
  label->setWordWrap(item.height > one_line_height);
  return label;
}

}  // namespace

void fit_to_width(QLabel* label) {
  if (label == nullptr || label->wordWrap()) return;
  QFont font = label->font();
  const double available = label->contentsRect().width();
  const double needed = QFontMetricsF(font).horizontalAdvance(label->text());
  if (needed <= available || needed <= 0) return;
  const double size = font.pointSizeF();
  if (size <= 0) return;
  double scaled = size * std::max(available / needed, smallest_fit);
  // Point sizes in quarter steps, each tried until the text fits.
  scaled = std::floor(scaled * 4) / 4;
  for (; scaled >= size * smallest_fit; scaled -= 0.25) {
    font.setPointSizeF(scaled);
    if (QFontMetricsF(font).horizontalAdvance(label->text()) <= available) break;
  }
  label->setFont(font);
}

dialog_page::dialog_page(std::span<const control_template> controls, const dialog_base_units& base,
                         const control_events& events, QWidget* parent)
    : QWidget(parent), laid_out_size_(page_size(base)) {
  setMinimumSize(laid_out_size_);
  resize(laid_out_size_);
  std::vector<std::pair<QRect, QButtonGroup*>> groups;  // group box rectangle, its radio group
  QButtonGroup* loose_radios = nullptr;
  std::vector<QWidget*> boxes;
  for (const control_template& item : controls) {
    QWidget* widget = make_control(item, base, events);
    const QRect units(item.x, item.y, item.width, item.height);
    if (item.kind == control_kind::group_box) {
      groups.emplace_back(units, new QButtonGroup(this));
      boxes.push_back(widget);
    }
    if (item.kind == control_kind::radio) {
      // A radio button belongs to the group box that holds its top-left corner.
      QButtonGroup* group = nullptr;
      for (auto& [box, buttons] : groups)
        if (box.contains(units.topLeft())) group = buttons;
      if (group == nullptr) {
        if (loose_radios == nullptr) loose_radios = new QButtonGroup(this);
        group = loose_radios;
      }
      group->addButton(qobject_cast<QAbstractButton*>(widget));
    }
    if (item.id != no_id) controls_[item.id] = widget;
  }
  // Frames stay behind the controls they hold.
  for (QWidget* box : boxes) box->lower();
  // Runs after the buttons' own focus handling, which marks a focused button as default.
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* /*old*/, QWidget* now) { show_default_button(now); });
}

void dialog_page::set_growing(QWidget* control) {
  growing_ = control;
  anchors_.clear();
  anchored_ = false;
}

void dialog_page::place_controls() {
  if (!anchored_) {
    anchored_ = true;
    const QRect grows = growing_ != nullptr ? growing_->geometry() : QRect();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const QRect laid_out = child->geometry();
      const bool is_growing = child == growing_;
      const bool other = growing_ != nullptr && !is_growing;
      anchors_.push_back(
          {child, laid_out, is_growing, other && laid_out.top() > grows.bottom(),
           other && laid_out.left() <= grows.left() && laid_out.right() >= grows.right()});
    }
  }
  const QSize extra = (size() - laid_out_size_).expandedTo(QSize(0, 0));
  for (const anchor& placed : anchors_) {
    if (placed.control.isNull()) continue;
    QRect rect = placed.laid_out;
    if (growing_ == nullptr) {
      // Nothing takes the room: the whole layout stays together in the middle of the page.
      placed.control->move(rect.topLeft() + QPoint(extra.width() / 2, extra.height() / 2));
      continue;
    }
    if (placed.grows) rect.setSize(rect.size() + extra);
    if (placed.moves_down) rect.translate(0, extra.height());
    if (placed.widens) rect.setWidth(rect.width() + extra.width());
    if (placed.grows || placed.widens)
      placed.control->setGeometry(rect);
    else if (placed.moves_down)
      placed.control->move(rect.topLeft());
  }
}

void dialog_page::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place_controls();
}

void dialog_page::show_default_button(const QWidget* focused) {
  const auto* focused_button = qobject_cast<const QPushButton*>(focused);
  if (focused_button != nullptr && focused_button->parentWidget() != this) focused_button = nullptr;
  for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
    button->setDefault(focused_button != nullptr ? button == focused_button
                                                 : button == default_button_);
}

bool dialog_page::eventFilter(QObject* watched, QEvent* event) {
  // An arrow key in a radio group moves to the next button of the group, round from the last
  // to the first, and clicks it: the focus ends where the button's handler puts it.
  auto* radio = qobject_cast<QRadioButton*>(watched);
  if (radio == nullptr || radio->group() == nullptr || event->type() != QEvent::KeyPress)
    return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
    return QWidget::eventFilter(watched, event);
  int step = 0;
  if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Right) step = 1;
  if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Left) step = -1;
  if (step == 0) return QWidget::eventFilter(watched, event);

  const QList<QAbstractButton*> buttons = radio->group()->buttons();
  const qsizetype count = buttons.size();
  const qsizetype from = buttons.indexOf(radio);
  for (qsizetype k = 1; k < count; ++k) {
    QAbstractButton* next = buttons[((from + step * k) % count + count) % count];
    if (!next->isEnabled() || next->isHidden()) continue;
    next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    next->click();
    break;
  }
  return true;
}

QWidget* dialog_page::make_control(const control_template& item, const dialog_base_units& base,
                                   const control_events& events) {
  const QRect rect = to_pixels(base, QRect(item.x, item.y, item.width, item.height));
  const QString text = QString::fromUtf8(item.text);
  const int id = item.id;
  QWidget* widget = nullptr;
  switch (item.kind) {
    case control_kind::group_box:
      widget = new QGroupBox(text, this);
      break;
    case control_kind::radio: {
      auto* radio = new QRadioButton(text, this);
      radio->setAutoExclusive(false);  // its button group decides
      radio->installEventFilter(this);
      if (events.clicked) connect(radio, &QRadioButton::clicked, this, [=] { events.clicked(id); });
      widget = radio;
      break;
    }
    case control_kind::check_box: {
      auto* box = new QCheckBox(text, this);
      if (events.clicked) connect(box, &QCheckBox::clicked, this, [=] { events.clicked(id); });
      widget = box;
      break;
    }
    case control_kind::text:
      widget = make_label(item, Qt::AlignLeft | Qt::AlignTop, this);
      break;
    case control_kind::text_right:
      widget = make_label(item, Qt::AlignRight | Qt::AlignVCenter, this);
      break;
    case control_kind::text_centred:
      widget = make_label(item, Qt::AlignHCenter | Qt::AlignTop, this);
      break;
    case control_kind::edit: {
      auto* edit = new QLineEdit(text, this);
      if (events.text_changed)
        connect(edit, &QLineEdit::textChanged, this, [=] { events.text_changed(id); });
      widget = edit;
      break;
    }
    case control_kind::button:
    case control_kind::default_button: {
      auto* button = new QPushButton(text, this);
      // A button with the focus answers Enter itself; elsewhere Enter presses the default one.
      button->setAutoDefault(true);
      if (item.kind == control_kind::default_button) {
        button->setDefault(true);
        default_button_ = button;
      }
      if (events.clicked) connect(button, &QPushButton::clicked, this, [=] { events.clicked(id); });
      widget = button;
      break;
    }
    case control_kind::drop_down: {
      auto* combo = new QComboBox(this);
      if (events.selection_changed)
        connect(combo, &QComboBox::activated, this, [=] { events.selection_changed(id); });
      combo->setGeometry(rect.x(), rect.y(), rect.width(), combo->sizeHint().height());
      return combo;
    }
    case control_kind::result_list: {
      auto* list = new CListCtrlEx(this);
      // The Property column takes the width that the Value and Unit columns leave.
      list->SetFillColumn(0);
      growing_ = list;
      widget = list;
      break;
    }
    case control_kind::logo:
      widget = new logo_button(this);
      break;
  }
  widget->setGeometry(rect);
  return widget;
}

void dialog_page::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && event->modifiers() == Qt::NoModifier && default_button_ != nullptr &&
      default_button_->isEnabled()) {
    default_button_->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

QWidget* dialog_page::control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

}  // namespace Vantrel
