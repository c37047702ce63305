#pragma once
// What the property pages need of the windowing platform, and nothing more.
// The pages drive their controls, their result list, the application's warning box and the
// per-user settings store only through `page_platform`, so their logic runs against the desktop
// shell and against an in-memory platform alike. Texts are UTF-8 throughout.

#include <optional>
#include <string>
#include <string_view>

namespace Vantrel {

// Control ids of the three calculation pages. One id means the same control on every page
// that has it.
namespace control {
inline constexpr int metric = 1000;           // "&Metric/SI" radio button
inline constexpr int english = 1001;          // "&English" radio button
inline constexpr int result_list = 1002;      // the three-column result list
inline constexpr int close = 1004;            // "Close" push button
inline constexpr int calculate = 1005;        // "&Calculate" default push button
inline constexpr int temperature = 1006;      // Saturated: "&Temperature" radio button
inline constexpr int pressure = 1007;         // Saturated: "&Pressure" radio button
inline constexpr int value_label = 1008;      // Saturated: static "Value, °C" and so on
inline constexpr int value_edit = 1009;       // Saturated: the temperature or pressure edit
inline constexpr int vapor = 1010;            // Saturated: "&Vapor" radio button
inline constexpr int liquid = 1011;           // Saturated: "&Liquid" radio button
inline constexpr int two_phase = 1012;        // Saturated: "T&wo-phase" radio button
inline constexpr int quality_edit = 1013;     // Saturated: the two-phase quality edit
inline constexpr int first_edit = 1016;       // Superheated/Subcooled: first value edit
inline constexpr int second_edit = 1017;      // Superheated/Subcooled: second value edit
inline constexpr int first_variable = 1018;   // Superheated/Subcooled: first drop-down list
inline constexpr int second_variable = 1019;  // Superheated/Subcooled: second drop-down list
inline constexpr int formulation = 1030;      // the Formulation drop-down list (Chart too)
inline constexpr int footer_notice = 1031;    // the maker's notice under the result list
}  // namespace control

// Alignment of a result-list column's texts.
enum class column_align { left, right, centre };

// The platform as one page sees it. The shell gives each page its own platform object whose
// control ids refer to that page's controls.
class page_platform {
 public:
  virtual ~page_platform() = default;

  // Controls by id.
  // The text of an edit or a static (empty for an unknown id).
  virtual std::string text(int id) const = 0;
  virtual void set_text(int id, std::string_view text) = 0;
  virtual void enable(int id, bool enabled) = 0;
  virtual void focus(int id) = 0;
  // Radio buttons. Setting one does not clear the others of its group: the pages set both.
  virtual void set_checked(int id, bool checked) = 0;
  virtual bool is_checked(int id) const = 0;

  // Drop-down lists.
  virtual void combo_clear(int id) = 0;
  virtual void combo_add(int id, std::string_view text) = 0;
  virtual int combo_count(int id) const = 0;
  // The selected entry, or -1 when none is selected.
  virtual int combo_selection(int id) const = 0;
  virtual void combo_select(int id, int index) = 0;

  // The application's warning message box: the text, an OK button, the warning icon and the
  // application title as caption, modal to the window. Returns once the user dismissed it.
  virtual void warning(std::string_view text) = 0;

  // Closes the application window (the Close buttons).
  virtual void close_window() = 0;

  // The report list `list`: three columns (Property, Value, Unit), one item per row.
  // Widths are in pixels; subitem 0 is the item's own text.
  virtual void list_insert_column(int list, int column, std::string_view header, column_align align,
                                  int width) = 0;
  virtual void list_insert_item(int list, int position, std::string_view text, int item_data) = 0;
  virtual void list_set_subitem(int list, int item, int subitem, std::string_view text) = 0;
  virtual int list_item_data(int list, int item) const = 0;
  // The width of `text` in the list's font, in pixels.
  virtual int list_text_width(int list, std::string_view text) const = 0;
  virtual void list_set_column_width(int list, int column, int width) = 0;
  virtual void list_full_row_selection(int list, bool on) = 0;

  // The per-user settings store: one integer under a section and an entry.
  // Empty when the entry is absent or cannot be read as an integer.
  virtual std::optional<int> read_setting(std::string_view section,
                                          std::string_view entry) const = 0;
  virtual void write_setting(std::string_view section, std::string_view entry, int value) = 0;
};

}  // namespace Vantrel
