#pragma once
// Helpers shared by the shell tests: a private settings store, and answering the next
// message box.

#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace Vantrel::testing {

// Points the per-user settings store at a fresh temporary folder for the life of the object.
class private_settings {
 public:
  private_settings();
  void clear();

 private:
  QTemporaryDir folder_;
};

// Arranges for the next application-modal box to be read and dismissed once it shows; the
// text it showed is written to *text, and *caption and *icon_is_warning when given.
void answer_next_message_box(QString* text, QString* caption = nullptr,
                             bool* icon_is_warning = nullptr);

}  // namespace Vantrel::testing
