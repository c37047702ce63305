#pragma once
// A page window built from its control table: each control is placed at its dialog-unit
// rectangle converted to pixels with the page font's base units, and can be found by its id.
// The radio buttons inside one group box form one exclusive group; the arrow keys move through
// a group and click the button they reach. The focused push button is drawn as the default
// one; elsewhere the page's default button is.
//
// The laid-out size is the page's smallest. When the page is given more room, its growing
// control (the result list, or one named with set_growing) takes all of it: controls below the
// growing control move down with the bottom edge, controls that span its width widen with it,
// and every other control keeps its place. A page without a growing control keeps its layout
// whole in the middle of the room.

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <vector>

class QLabel;

#include "shell/dialog_templates.h"
#include "shell/dialog_units.h"

namespace Vantrel {

// What a page hears of its controls, by control id.
struct control_events {
  std::function<void(int id)> clicked;            // a button or radio button was clicked
  std::function<void(int id)> text_changed;       // an edit's text changed, by anyone
  std::function<void(int id)> selection_changed;  // the user chose a drop-down entry
};

// A disabled button that shows its picture, unscaled from its top-left corner, and nothing else.
class logo_button : public QAbstractButton {
  Q_OBJECT

 public:
  explicit logo_button(QWidget* parent = nullptr);
  // Shows `picture` and takes its size; a null picture leaves the button empty and unsized.
  void set_picture(const QPixmap& picture);
  const QPixmap& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

// Keeps a one-line text whole: a text wider than its label is drawn in a font made smaller by
// just enough, down to three quarters of its size. Labels that wrap are left as they are.
void fit_to_width(QLabel* label);

class dialog_page : public QWidget {
  Q_OBJECT

 public:
  dialog_page(std::span<const control_template> controls, const dialog_base_units& base,
              const control_events& events, QWidget* parent = nullptr);

  // The default push button, or nullptr.
  QAbstractButton* default_button() const { return default_button_; }

  // The control that takes the room the page gains beyond its laid-out size. Controls are
  // anchored to it as they stand when the page first changes size, so name it before that.
  void set_growing(QWidget* control);

  // The control with this id, or nullptr.
  QWidget* control(int id) const;
  template <class T>
  T* control_as(int id) const {
    return qobject_cast<T*>(control(id));
  }

 protected:
  // Enter presses the default button unless the focused control takes it itself.
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* make_control(const control_template& item, const dialog_base_units& base,
                        const control_events& events);
  void place_controls();
  void show_default_button(const QWidget* focused);

  // A control that follows the page's growth, with its place at the laid-out size.
  struct anchor {
    QPointer<QWidget> control;
    QRect laid_out;
    bool grows, moves_down, widens;
  };

  std::map<int, QWidget*> controls_;
  QAbstractButton* default_button_ = nullptr;
  QSize laid_out_size_;
  QWidget* growing_ = nullptr;
  std::vector<anchor> anchors_;
  bool anchored_ = false;
};

}  // namespace Vantrel
