#include "shell/dialog_templates.h"

#include <array>

namespace Vantrel {

namespace {

using k = control_kind;

// The maker's notices at the foot of the three calculation pages.
constexpr const char* footer_notice =
    "Vantrel Kelvora 2.0 computes the properties of water and steam from the IAPWS-95 "
    "formulation.";
constexpr const char* footer_copyright = "Copyright \u00a9 2026 Vantrel. All rights reserved.";

constexpr std::array about{
    control_template{about_control::logo, k::logo, "LOGO", 7, 7, 27, 222},
    control_template{about_control::product_name, k::text, "Vantrel Kelvora", 59, 11, 254, 10},
    control_template{about_control::description, k::text,
                     "Thermodynamic and Transport Properties of Water and Steam", 59, 25, 254, 10},
    control_template{about_control::version, k::text,
                     "Version 2.0 (Based on the IAPWS-95 Formulation)", 59, 39, 254, 10},
    control_template{about_control::summary, k::text,
                     "Vantrel Kelvora is a steam property lookup application. Values displayed "
                     "cannot be cut and pasted.",
                     59, 53, 254, 28},
    control_template{about_control::maker_site, k::button, "Vantrel Web Site", 59, 125, 85, 16},
    control_template{about_control::product_page, k::button, "Kelvora Information", 191, 125, 85,
                     16},
    // The maker's name and postal address.
    control_template{no_id, k::text, "Vantrel", 59, 150, 122, 10},
    control_template{no_id, k::text, "1 Example Quay", 59, 160, 106, 10},
    control_template{no_id, k::text, "Harbour District", 59, 170, 106, 10},
    control_template{no_id, k::text, "Example City EX1 0AA", 59, 180, 106, 10},
    // How to reach the maker.
    control_template{no_id, k::text, "Telephone: +1 555 0100", 191, 150, 106, 10},
    control_template{no_id, k::text, "Fax: +1 555 0101", 191, 160, 106, 10},
    control_template{no_id, k::text, "www.vantrel.example", 191, 170, 106, 10},
    control_template{no_id, k::text, "support@vantrel.example", 191, 180, 106, 10},
    control_template{no_id, k::text, "Copyright \u00a9 2026 Vantrel. All rights reserved.", 59, 192,
                     254, 15},
    control_template{no_id, k::text,
                     "Vantrel and Kelvora are trademarks of Vantrel. Other names may be "
                     "trademarks of their owners.",
                     59, 208, 254, 21},
};

constexpr std::array saturated{
    control_template{no_id, k::group_box, "Independent Variable:", 7, 7, 153, 43},
    control_template{1006, k::radio, "&Temperature", 12, 17, 60, 12},
    control_template{1007, k::radio, "&Pressure", 12, 33, 60, 12},
    control_template{1008, k::text_right, "Value:", 60, 26, 44, 12},
    control_template{1009, k::edit, "", 107, 25, 46, 12},
    control_template{no_id, k::group_box, "Units:", 165, 7, 53, 43},
    control_template{1000, k::radio, "&Metric/SI", 169, 17, 44, 12},
    control_template{1001, k::radio, "&English", 169, 33, 44, 12},
    control_template{1004, k::button, "Close", 263, 7, 50, 16},
    control_template{1005, k::default_button, "&Calculate", 263, 30, 50, 16},
    control_template{no_id, k::group_box, "Phase:", 7, 53, 174, 26},
    control_template{1010, k::radio, "&Vapor", 12, 62, 38, 12},
    control_template{1011, k::radio, "&Liquid", 52, 62, 40, 12},
    control_template{1012, k::radio, "T&wo-phase", 94, 62, 50, 12},
    control_template{1013, k::edit, "", 145, 62, 31, 12},
    control_template{no_id, k::group_box, "Formulation:", 184, 53, 129, 26},
    control_template{1030, k::drop_down, "", 189, 62, 119, 60},
    control_template{1002, k::result_list, "", 7, 83, 306, 115},
    control_template{no_id, k::text_centred, footer_copyright, 7, 219, 306, 10},
    control_template{1031, k::text_centred, footer_notice, 7, 200, 306, 17},
};

constexpr std::array superheated{
    control_template{no_id, k::group_box, "Input:", 7, 7, 155, 43},
    control_template{1018, k::drop_down, "", 13, 18, 80, 57},
    control_template{1016, k::edit, "", 97, 18, 58, 12},
    control_template{1019, k::drop_down, "", 13, 34, 80, 57},
    control_template{1017, k::edit, "", 97, 34, 58, 12},
    control_template{no_id, k::group_box, "Units:", 165, 7, 53, 43},
    control_template{1000, k::radio, "&Metric/SI", 169, 17, 44, 12},
    control_template{1001, k::radio, "&English", 169, 33, 44, 12},
    control_template{1004, k::button, "Close", 263, 7, 50, 16},
    control_template{1005, k::default_button, "&Calculate", 263, 30, 50, 16},
    control_template{no_id, k::group_box, "Formulation:", 7, 53, 211, 26},
    control_template{1030, k::drop_down, "", 13, 62, 199, 60},
    control_template{1002, k::result_list, "", 7, 83, 306, 115},
    control_template{no_id, k::text_centred, footer_copyright, 7, 219, 306, 10},
    control_template{1031, k::text_centred, footer_notice, 7, 199, 306, 17},
};

constexpr std::array constants{
    control_template{no_id, k::group_box, "Units:", 7, 7, 53, 43},
    control_template{1000, k::radio, "&Metric/SI", 11, 17, 44, 12},
    control_template{1001, k::radio, "&English", 11, 32, 44, 12},
    control_template{1004, k::button, "Close", 263, 7, 50, 16},
    control_template{1002, k::result_list, "", 7, 84, 306, 104},
    control_template{no_id, k::text_centred, footer_copyright, 7, 219, 306, 10},
    control_template{no_id, k::text_centred, footer_notice, 7, 200, 306, 17},
};

}  // namespace

std::span<const control_template> about_template() {
  return about;
}
std::span<const control_template> saturated_template() {
  return saturated;
}
std::span<const control_template> superheated_template() {
  return superheated;
}
std::span<const control_template> constants_template() {
  return constants;
}

}  // namespace Vantrel
