#pragma once
// The common surface of the three calculation pages, as the shell hosts them.
// The shell makes a page on the page's own platform object, calls Initialise when the page's
// window first comes into being, Activate every time the page becomes the active tab (the first
// time included, after Initialise), and routes each control notification by control id.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lookup/method.h"
#include "pages/calculated_state.h"
#include "pages/page_lookups.h"
#include "pages/platform.h"
#include "pages/rows.h"

namespace Vantrel {

class CResultPage {
 public:
  virtual ~CResultPage() = default;
  CResultPage(const CResultPage&) = delete;
  CResultPage& operator=(const CResultPage&) = delete;

  // The page's window was created: set up controls and fill the result list.
  virtual void Initialise() = 0;
  // The page became the active page.
  virtual void Activate() {}
  // A button or radio button was clicked.
  virtual void Clicked(int id);
  // The text of an edit changed (by the user or by the page itself).
  virtual void TextChanged(int /*id*/) {}
  // The selection of a drop-down list changed by the user.
  virtual void SelectionChanged(int id);

  // Hears the state of every successful Calculate (the Chart page marks it).
  using state_listener = std::function<void(const calculated_state&)>;
  void SetStateListener(state_listener listener) { state_listener_ = std::move(listener); }

 protected:
  CResultPage(page_platform& platform, const page_lookups& lookups, std::span<const row_entry> rows)
      : platform_(platform), lookups_(lookups), rows_(rows) {}

  // Checks the radio button of the stored unit system and fills the result list in it.
  void InitialiseList();
  // Adopts the stored unit system and formulation, which another page may have switched.
  void FollowStoredUnits();
  // Stores the unit system and shows the results in it.
  virtual void SwitchUnits(int unit_system);
  // Rewrites the unit texts, and the value texts once the page has results.
  void Refresh();
  // Warns with the catalogue text `key` and puts the focus on the edit at fault.
  void Refuse(int edit, int key);
  // The number typed into `edit`, or a refusal when it breaks the number-input rule.
  std::optional<double> ReadEdit(int edit);
  // The value text of `row` for the page's results.
  virtual std::string ValueText(const row_entry& row, int unit_system) const = 0;
  // One property of the page's results by the page's own lookup: its status, and the value in
  // *out on success. Pages without a state of water to show report status_invalid.
  virtual int Evaluate(int code, int unit_system, double* out) const;
  // Tells the state listener about the state the results show, calculated on the page titled
  // `page` from `inputs`. A state whose temperature, pressure, enthalpy, entropy or volume cannot
  // be evaluated is not a state to show, and nothing is told.
  void AnnounceState(std::string_view page, std::string inputs) const;
  // Under a method other than the default, the face's value of `code` for the state of input
  // pair `pair` (T-x and p-x for saturated states); the same status and *out contract as
  // Evaluate. Under the default method the pages keep asking their own lookups.
  bool ByMethod() const { return method_ != method{}; }
  int MethodValue(int pair, double a, double b, int code, int unit_system, double* out) const;
  // An input as the tooltips of calculated states show it: "T = 200 °C", with the value text of
  // the result lists and the unit of the property `code`.
  static std::string InputText(std::string_view name, int code, double value, int unit_system);

  page_platform& platform_;
  const page_lookups& lookups_;
  bool has_results_ = false;

 private:
  // Reads the stored formulation into the drop-down, the footer and the evaluations.
  void FollowStoredMethod();

  std::span<const row_entry> rows_;
  state_listener state_listener_;
  method method_{};
};

}  // namespace Vantrel
