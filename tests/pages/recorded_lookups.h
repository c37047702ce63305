#pragma once
// Stand-in entry points that record every call, for checking what a page asks of the lookup
// service without depending on the property library's numbers.
//   - Code 20 (surface tension) does not apply: status 3.
//   - Code 25 (steam quality) answers the quality given (saturated) or `quality_answer`.
//   - Every other code answers its first input plus the code, so rows differ.
//   - `forced_status`, when not 0, fails every call with that status.

#include <vector>

#include "pages/page_lookups.h"

namespace Vantrel::testing_support {

struct lookup_call {
  char entry;  // 'P' property, 'T' saturation temperature, 'S' saturation pressure, 'C' constant
  double first;
  double second;  // second input or quality
  int pair_code;
  int code;
  int unit_system;
};

struct recorded_lookups {
  std::vector<lookup_call> calls;
  double quality_answer = -2.0;
  int forced_status = 0;

  void clear() { calls.clear(); }
  // The calls of the most recent refresh (the last `count` calls).
  std::vector<lookup_call> last(std::size_t count) const {
    if (calls.size() < count) return calls;
    return {calls.end() - static_cast<long>(count), calls.end()};
  }
};

// The one recorder the stand-ins write to; each test resets it.
recorded_lookups& recorder();
const page_lookups& recording_lookups();

}  // namespace Vantrel::testing_support
