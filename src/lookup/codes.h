#pragma once
// The codes that name things across the library's face: property codes and input-pair codes.
// They are the numbers of the four entry points and of every table in the face.

namespace Vantrel {

// Property codes: what a state gives. The entry points accept 0 to 26; code_dhv (the enthalpy of
// vaporization) is evaluated only inside the library.
enum property_code : int {
  code_t = 0,
  code_p = 1,
  code_v = 2,
  code_rho = 3,
  code_z = 4,
  code_a = 5,
  code_s = 6,
  code_u = 7,
  code_h = 8,
  code_g = 9,
  code_cv = 10,
  code_cp = 11,
  code_w = 12,
  code_alpha = 13,
  code_kappa = 14,
  code_dpdt = 15,
  code_dvdt = 16,
  code_dvdp = 17,
  code_mu = 18,
  code_kt = 19,
  code_st = 20,
  code_pr = 21,
  code_de = 22,
  code_cjtt = 23,
  code_cjth = 24,
  code_x = 25,
  code_isentropic_k = 26,
  code_dhv = 27,
};

inline constexpr int property_code_count = 28;
// Highest property code that the face lets through.
inline constexpr int last_lookup_code = code_isentropic_k;

// Input pairs: which two quantities the inputs of a state are, in order. The first ten are the
// pairs of the Superheated/Subcooled page and of lookup_property; T-x and p-x are saturated states
// at a temperature or a pressure with a vapour fraction from 0 to 1.
enum input_pair : int {
  pair_tp = 0,
  pair_tv = 1,
  pair_th = 2,
  pair_ts = 3,
  pair_tu = 4,
  pair_pv = 5,
  pair_ph = 6,
  pair_ps = 7,
  pair_pu = 8,
  pair_hs = 9,
  pair_tx = 10,
  pair_px = 11,
};

inline constexpr int input_pair_count = 12;
// The pairs that lookup_property and the Superheated/Subcooled page take: codes 0 to 9.
inline constexpr int entry_pair_count = 10;

// The status of a lookup: what every entry point and every state of the face reports.
enum lookup_status : int {
  status_ok = 0,
  status_invalid = 1,         // an argument invalid or an input out of range
  status_failed = 2,          // the computation failed
  status_not_applicable = 3,  // the property does not exist for this state
};

// The quality of a single-phase state (code_x) holds one of these markers instead of a vapour
// fraction.
namespace quality_marker {
inline constexpr double indeterminate = -1.0;  // above the critical point or outside the dome
inline constexpr double superheated = -2.0;
inline constexpr double subcooled = -3.0;
}  // namespace quality_marker

}  // namespace Vantrel
