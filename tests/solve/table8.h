#pragma once
// IAPWS-95 saturation check values (R6-95(2018), Table 8): T, p, ρ′, ρ″, h′, h″, s′, s″. This
// library's n°1 and n°2 raise h by 4.68e-8 kJ/kg and s by 4.99e-10 kJ/(kg·K), which at nine
// digits changes h′ and s′ at 275 K (0.775972202e1 and 0.283094670e-1 with the release's); the
// values here are this library's.
namespace Vantrel::check_values {

inline constexpr double table8[][8] = {
    {275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2, 0.775972206e1, 0.250428995e4,
     0.283094675e-1, 0.910660121e1},
    {450, 0.932203564, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4, 0.210865845e1,
     0.660921221e1},
    {625, 0.169082693e2, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4, 0.380194683e1,
     0.518506121e1},
};

}  // namespace Vantrel::check_values
