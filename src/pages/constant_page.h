#pragma once
// The Constants page: molecular weight, critical point and triple point of water in the chosen
// unit system. It takes no input and recomputes only on its own unit switches.

#include "pages/result_page.h"

namespace Vantrel {

class CConstantPage final : public CResultPage {
 public:
  explicit CConstantPage(page_platform& platform, const page_lookups& lookups = standard_lookups())
      : CResultPage(platform, lookups, constant_rows) {
    has_results_ = true;
  }

  void Initialise() override;
  // Shows the constants of the formulation chosen on another page.
  void Activate() override;

 private:
  std::string ValueText(const row_entry& row, int unit_system) const override;
};

}  // namespace Vantrel
