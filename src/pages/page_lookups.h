#pragma once
// The entry points a page calls, gathered so that a page can be given other ones (a test's own,
// for instance). `standard_lookups` are the property library's four entry points.

namespace Vantrel {

struct page_lookups {
  int (*property)(double first, double second, int pair_code, int property_code, int unit_system,
                  double* out);
  int (*tsat)(double temperature, double quality, int property_code, int unit_system, double* out);
  int (*psat)(double pressure, double quality, int property_code, int unit_system, double* out);
  int (*constant)(int constant_code, int unit_system, double* out);
};

const page_lookups& standard_lookups();

}  // namespace Vantrel
