// Prints the properties of the IAPWS-95 single-phase check states.
#include <cstdio>

#include "model/helmholtz.h"

int main() {
  constexpr double states[][2] = {{300, 996.556}, {300, 1005.308}, {300, 1188.202}, {500, 0.435},
                                  {500, 4.532},   {500, 838.025},  {500, 1084.564}, {647, 358},
                                  {900, 0.241},   {900, 52.615},   {900, 870.769}};
  std::printf("%8s %10s %14s %12s %12s %12s %12s %12s\n", "T K", "rho kg/m3", "p MPa", "h kJ/kg",
              "s kJ/kg/K", "cv kJ/kg/K", "cp kJ/kg/K", "w m/s");
  for (const auto& st : states) {
    const Vantrel::helmholtz_state h(st[1] / Vantrel::constant95::rhoc,
                                     Vantrel::constant95::Tc / st[0]);
    std::printf("%8.2f %10.4f %14.9g %12.6f %12.9f %12.9f %12.6f %12.6f\n", st[0], st[1], h.p(),
                h.h(), h.s(), h.cv(), h.cp_r() * Vantrel::constant95::R, h.w());
  }
}
