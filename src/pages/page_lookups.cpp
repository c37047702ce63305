#include "pages/page_lookups.h"

#include "lookup/lookup.h"

namespace Vantrel {

const page_lookups& standard_lookups() {
  static constexpr page_lookups entry_points{&lookup_property, &lookup_tsat, &lookup_psat,
                                             &lookup_constant};
  return entry_points;
}

}  // namespace Vantrel
