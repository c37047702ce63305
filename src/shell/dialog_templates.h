#pragma once
// The control tables of the four pages: every control with its id, kind, text and position in
// dialog units on the 320 by 236 unit page. Ids are the ones the page logic addresses.

#include <span>

namespace Vantrel {

// Id of the controls no handler addresses (group boxes, footer and contact lines).
inline constexpr int no_id = -1;

enum class control_kind {
  group_box,       // framed group with a title; the radio buttons inside it form one group
  radio,           // radio button, checked by a click
  check_box,       // check box, toggled by a click
  text,            // static text, left-aligned, wraps
  text_right,      // static text, right-aligned
  text_centred,    // static text, centred, wraps
  edit,            // bordered one-line edit that scrolls horizontally
  button,          // push button
  default_button,  // the page's default push button (Enter presses it)
  drop_down,       // drop-down list; the height given is the dropped list's
  result_list,     // the three-column result list
  logo,            // the About page's logo, a disabled picture button
};

struct control_template {
  int id;
  control_kind kind;
  const char* text;  // UTF-8; "&" marks the mnemonic of buttons
  int x, y, width, height;
};

// About page ids.
namespace about_control {
inline constexpr int logo = 1021;
inline constexpr int product_name = 1018;
inline constexpr int description = 1019;
inline constexpr int version = 1020;
inline constexpr int summary = 1026;
inline constexpr int maker_site = 1024;
inline constexpr int product_page = 1025;
}  // namespace about_control

std::span<const control_template> about_template();
std::span<const control_template> saturated_template();
std::span<const control_template> superheated_template();
std::span<const control_template> constants_template();

}  // namespace Vantrel
