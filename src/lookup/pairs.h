#pragma once
// The input pairs of the face: which two quantities fix a state, by code and by the name that
// users type ("T-p", "h-s", "T-x", ...).
#include <array>
#include <cstddef>
#include <string_view>

#include "lookup/codes.h"

namespace Vantrel {

struct pair_info {
  int code;
  std::string_view name;
  int first;   // property code of the first input
  int second;  // property code of the second input
};

// In pair-code order.
inline constexpr std::array<pair_info, input_pair_count> pair_table{{
    {pair_tp, "T-p", code_t, code_p},
    {pair_tv, "T-v", code_t, code_v},
    {pair_th, "T-h", code_t, code_h},
    {pair_ts, "T-s", code_t, code_s},
    {pair_tu, "T-u", code_t, code_u},
    {pair_pv, "p-v", code_p, code_v},
    {pair_ph, "p-h", code_p, code_h},
    {pair_ps, "p-s", code_p, code_s},
    {pair_pu, "p-u", code_p, code_u},
    {pair_hs, "h-s", code_h, code_s},
    {pair_tx, "T-x", code_t, code_x},
    {pair_px, "p-x", code_p, code_x},
}};

static_assert(
    [] {
      for (std::size_t i = 0; i < pair_table.size(); ++i)
        if (pair_table[i].code != static_cast<int>(i)) return false;
      return true;
    }(),
    "the pair table is in code order");

// The row of a pair code, or nullptr.
constexpr const pair_info* pair_with_code(int code) {
  return code >= 0 && code < input_pair_count ? &pair_table[static_cast<std::size_t>(code)]
                                              : nullptr;
}

// The row of a pair name (case matters: "T-p", "p-h"), or nullptr.
constexpr const pair_info* pair_named(std::string_view name) {
  for (const auto& p : pair_table)
    if (p.name == name) return &p;
  return nullptr;
}

}  // namespace Vantrel
