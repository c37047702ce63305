#pragma once
// The Superheated/Subcooled page: all rows of the state row table for a state fixed by two
// inputs, temperature or pressure first, with the phase named in the steam-quality row.

#include "pages/result_page.h"

namespace Vantrel {

class CSuperheatedPage final : public CResultPage {
 public:
  explicit CSuperheatedPage(page_platform& platform,
                            const page_lookups& lookups = standard_lookups())
      : CResultPage(platform, lookups, state_rows) {}

  void Initialise() override;
  void Activate() override;
  void Clicked(int id) override;
  void TextChanged(int id) override;
  void SelectionChanged(int id) override;

 private:
  void Calculate();
  std::string ValueText(const row_entry& row, int unit_system) const override;
  int Evaluate(int code, int unit_system, double* out) const override;
  void RebuildSecondVariables();

  int pair_code_ = 0;
  double first_ = 0.0;
  double second_ = 0.0;
};

}  // namespace Vantrel
