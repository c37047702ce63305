// The choice of transport equations through the face: it changes viscosity, conductivity and the
// Prandtl number and nothing else, keeps the statuses of the 1985 choice where a property does
// not exist, and refuses a state outside the 2011 equations' range of validity.
#include <gtest/gtest.h>

#include <cmath>

#include "lookup/lookup.h"
#include "lookup/method.h"
#include "lookup/pairs.h"
#include "lookup/state.h"
#include "lookup/units.h"
#include "model/steam95.h"
#include "properties/transport2011.h"

namespace Vantrel {
namespace {

constexpr method current{formulation::iapws95, transport_set::iapws2011};

TEST(TransportChoice, NamedByItsWordAndTitle) {
  EXPECT_EQ(transport_named("2011"), transport_set::iapws2011);
  EXPECT_EQ(word_of(transport_set::iapws2011), "2011");
  EXPECT_EQ(transport_words(), "1985|2011");
  EXPECT_EQ(method_title(method{}), "IAPWS-95");
  EXPECT_EQ(method_title(current), "IAPWS-95, 2008/2011 transport");
  EXPECT_FALSE(transport_named("2008"));
}

// Steam at 100 °C and 1 bar, where the two sets differ most visibly: the 2011 choice gives the
// library's 2008/2011 values, every other property bit for bit the 1985 choice's, and the
// default method still gives what the entry points give.
TEST(TransportChoice, ChangesOnlyTheTransportProperties) {
  const state_result old = state(pair_tp, 100.0, 1.0, method{}, metric_units);
  const state_result now = state(pair_tp, 100.0, 1.0, current, metric_units);
  ASSERT_EQ(now.status, status_ok);

  steam95 steam;
  steam.at_tp(373.15, 0.1);
  double mu = 0.0, lambda = 0.0;
  transport2011(steam.t(), steam.rho(), mu, lambda);
  EXPECT_DOUBLE_EQ(now[code_mu], mu * 1e6);  // µPa·s
  EXPECT_DOUBLE_EQ(now[code_kt], lambda);
  EXPECT_DOUBLE_EQ(now[code_pr], steam.cp() * 1000.0 * mu / lambda);
  EXPECT_GT(std::abs(now[code_kt] / old[code_kt] - 1.0), 0.01);

  for (int code = 0; code <= last_lookup_code; ++code) {
    SCOPED_TRACE(testing::Message() << "code " << code);
    double entry = 0.0;
    ASSERT_EQ(lookup_property(100.0, 1.0, pair_tp, code, metric_units, &entry),
              old.status_of[static_cast<std::size_t>(code)]);
    if (old.has(code)) {
      EXPECT_EQ(old[code], entry);
    }
    if (code == code_mu || code == code_kt || code == code_pr) continue;
    EXPECT_EQ(now.status_of[static_cast<std::size_t>(code)],
              old.status_of[static_cast<std::size_t>(code)]);
    if (old.has(code)) {
      EXPECT_EQ(now[code], old[code]);
    }
  }
}

// A mixture has no transport properties under either choice; beyond 1173.15 K, or above 100 MPa
// at 1000 K, the 2011 equations are out of their range while the state itself is fine.
TEST(TransportChoice, StatusesOutsideTheEquations) {
  const property_set transport{code_mu, code_kt, code_pr, code_h};
  const state_result wet = state(pair_tx, 400.0, 0.5, current, internal_units, transport);
  EXPECT_EQ(wet.status_of[code_mu], status_not_applicable);
  EXPECT_EQ(wet.status_of[code_kt], status_not_applicable);
  EXPECT_EQ(wet.status_of[code_pr], status_not_applicable);

  const state_result hot = state(pair_tp, 1200.0, 10.0, current, internal_units, transport);
  EXPECT_EQ(hot.status_of[code_mu], status_invalid);
  EXPECT_EQ(hot.status_of[code_h], status_ok);
  EXPECT_TRUE(state(pair_tp, 1200.0, 10.0, method{}, internal_units, transport).has(code_mu));

  const state_result dense = state(pair_tp, 1000.0, 200.0, current, internal_units, transport);
  EXPECT_TRUE(dense.has(code_mu));
  EXPECT_EQ(dense.status_of[code_kt], status_invalid);
  EXPECT_EQ(dense.status_of[code_pr], status_invalid);
}

}  // namespace
}  // namespace Vantrel
