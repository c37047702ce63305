#pragma once
// The text catalogue: every text the pages show, keyed by number (UTF-8).
// Ranges: 1000-1007 constant names, 2000-2026 property names, 10000-10055 unit texts,
// 20001-20002 setting names, 30000-30001 messages, 57344 and 57348 the application's names.

#include <string_view>

namespace Vantrel {

namespace text_key {
inline constexpr int settings_section = 20001;   // "Settings"
inline constexpr int units_entry = 20002;        // "Units"
inline constexpr int invalid_number = 30000;     // "Invalid number specified."
inline constexpr int invalid_quality = 30001;    // the two-phase quality message
inline constexpr int application_title = 57344;  // "Vantrel Kelvora"
inline constexpr int maker = 57348;              // "Vantrel", names the settings location
}  // namespace text_key

// The text of `key`, or the empty text for a key the catalogue does not hold.
std::string_view catalogue_text(int key);

}  // namespace Vantrel
