#include "pages/result_page.h"

namespace Vantrel {

void CResultPage::Clicked(int id) {
  if (id == control::close) platform_.close_window();
}

}  // namespace Vantrel
