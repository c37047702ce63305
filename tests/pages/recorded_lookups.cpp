#include "recorded_lookups.h"

namespace Vantrel::testing_support {

namespace {

constexpr int not_applicable_code = 20;
constexpr int quality_code = 25;

int answer(lookup_call call, double quality, double* out) {
  recorder().calls.push_back(call);
  if (recorder().forced_status != 0) return recorder().forced_status;
  if (call.code == not_applicable_code) return 3;
  *out = call.code == quality_code ? quality : call.first + call.code;
  return 0;
}

int property(double first, double second, int pair, int code, int units, double* out) {
  return answer({'P', first, second, pair, code, units}, recorder().quality_answer, out);
}

int tsat(double t, double x, int code, int units, double* out) {
  return answer({'T', t, x, -1, code, units}, x, out);
}

int psat(double p, double x, int code, int units, double* out) {
  return answer({'S', p, x, -1, code, units}, x, out);
}

int constant(int code, int units, double* out) {
  recorder().calls.push_back({'C', 0, 0, -1, code, units});
  if (recorder().forced_status != 0) return recorder().forced_status;
  *out = 100.0 * (units == 0 ? 1 : 2) + code;
  return 0;
}

}  // namespace

recorded_lookups& recorder() {
  static recorded_lookups instance;
  return instance;
}

const page_lookups& recording_lookups() {
  static constexpr page_lookups stand_ins{&property, &tsat, &psat, &constant};
  return stand_ins;
}

}  // namespace Vantrel::testing_support
