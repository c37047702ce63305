#pragma once
// The Saturated page: all rows of the state row table for a state on the saturation line, at a
// saturation temperature or pressure, as saturated vapour, saturated liquid or a two-phase
// mixture of given quality.

#include "pages/result_page.h"

namespace Vantrel {

class CSaturatedPage final : public CResultPage {
 public:
  explicit CSaturatedPage(page_platform& platform, const page_lookups& lookups = standard_lookups())
      : CResultPage(platform, lookups, state_rows) {}

  void Initialise() override;
  void Activate() override;
  void Clicked(int id) override;
  void TextChanged(int id) override;

 private:
  void Calculate();
  void SwitchUnits(int unit_system) override;
  std::string ValueText(const row_entry& row, int unit_system) const override;
  int Evaluate(int code, int unit_system, double* out) const override;
  void SetValueLabel(int unit_system);
  void EnableCalculateForValue();
  void EnableCalculateForBoth();

  double input_ = 0.0;
  double quality_ = 0.0;
};

}  // namespace Vantrel
