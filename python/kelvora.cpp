// The kelvora Python module: states of water and steam from two inputs, saturated states and the
// constants of water, for single numbers or whole NumPy arrays, through the lookup library.
// Numbers come back exactly as the lookup entry points and kelvora-cli give them.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cli/names.h"
#include "lookup/catalogue.h"
#include "lookup/lookup.h"
#include "lookup/units.h"
#include "model/steam95.h"
#include "pages/rows.h"
#include "pages/value_text.h"
#include "state_arrays.h"

namespace py = pybind11;

namespace Vantrel::python {

namespace {

// A state that cannot be built from scalar inputs; kelvora.StateError, a ValueError.
class state_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// kelvora.PropertyNameError: an unknown name in result[name]. Both a KeyError, as a mapping
// raises, and a ValueError, as every other bad name does.
PyObject* property_name_error = nullptr;

// --- Unit systems and names.

struct unit_choice {
  std::string_view name;
  int unit_system;
};
constexpr std::array<unit_choice, 3> unit_choices{{
    {"si", metric_units},
    {"english", english_units},
    {"iapws", internal_units},
}};

int unit_system_of(std::string_view name) {
  for (const auto& u : unit_choices) {
    if (u.name == name) return u.unit_system;
  }
  throw py::value_error("unknown units '" + std::string(name) +
                        "': use 'si', 'english' or 'iapws'");
}

// The transport equations by the face's words: "1985" (the default) or "2011".
method method_with_transport(const std::string& word) {
  const auto transport = transport_named(word);
  if (!transport) {
    throw py::value_error("unknown transport '" + word + "': use one of " + transport_words());
  }
  return method{formulation::iapws95, *transport};
}

// The library's own unit of each property code, in which the "iapws" results are given: those
// of the IAPWS releases.
constexpr std::array<std::string_view, property_count> iapws_units{
    "K",              // T
    "MPa",            // p
    "m³/kg",          // v
    "kg/m³",          // rho
    "dimensionless",  // z
    "kJ/kg",          // a
    "kJ/(kg·K)",      // s
    "kJ/kg",          // u
    "kJ/kg",          // h
    "kJ/kg",          // g
    "kJ/(kg·K)",      // cv
    "kJ/(kg·K)",      // cp
    "m/s",            // w
    "1/K",            // alpha
    "1/MPa",          // kappa
    "MPa/K",          // dpdt
    "m³/(kg·K)",      // dvdt
    "m³/(kg·MPa)",    // dvdp
    "Pa·s",           // mu
    "W/(m·K)",        // lambda
    "N/m",            // sigma
    "dimensionless",  // pr
    "dimensionless",  // eps
    "kJ/(kg·MPa)",    // cjtt
    "K/MPa",          // cjth
    "dimensionless",  // x
    "dimensionless",  // k
};

// The steam quality is a vapour fraction here in every unit system, not the window's percentage.
std::string unit_of(const property_info& p, std::string_view units) {
  if (p.code == code_x) return "dimensionless";
  if (units == "iapws") return std::string(iapws_units[static_cast<std::size_t>(p.code)]);
  return std::string(unit_text(p, unit_system_of(units)));
}

// kelvora.properties: short name -> {"name", "si", "english", "iapws"}, in the window's order.
py::dict property_descriptions() {
  py::dict table;
  for (const auto& p : property_table) {
    py::dict entry;
    entry["name"] = std::string(name_text(p));
    for (const auto& u : unit_choices) entry[py::str(std::string(u.name))] = unit_of(p, u.name);
    table[py::str(std::string(p.short_name))] = entry;
  }
  return table;
}

std::string_view phase_word(phase ph) {
  switch (ph) {
    case phase::indeterminate:
      return *quality_marker_text(quality_indeterminate);
    case phase::superheated:
      return *quality_marker_text(quality_superheated);
    case phase::subcooled:
      return *quality_marker_text(quality_subcooled);
    case phase::two_phase:
      return "Two-phase";
    case phase::saturated_liquid:
      return "Saturated liquid";
    case phase::saturated_vapour:
      return "Saturated vapour";
    case phase::error:
      break;
  }
  return "Error";
}

// --- Inputs.

struct number_input {
  py::array_t<double> values;
  bool scalar;  // a plain number, not an array
};

number_input numbers(py::handle obj, const char* what) {
  const py::module_ np = py::module_::import("numpy");
  py::array array;
  try {
    array = np.attr("asarray")(obj);
  } catch (py::error_already_set& e) {
    throw py::type_error(std::string(what) + " must be a number or an array of numbers (" +
                         e.what() + ")");
  }
  const char kind = array.dtype().kind();
  if (kind != 'i' && kind != 'u' && kind != 'f') {
    throw py::type_error(std::string(what) + " must be a number or an array of numbers, not " +
                         py::str(array.dtype()).cast<std::string>());
  }
  return {py::array_t<double>::ensure(array), !py::isinstance<py::array>(obj) && array.ndim() == 0};
}

// The two inputs broadcast together and laid out flat, with the shape of the result.
struct input_pair {
  py::array_t<double> first, second;
  std::vector<py::ssize_t> shape;
};

input_pair broadcast(const number_input& a, const number_input& b, const char* names) {
  const py::module_ np = py::module_::import("numpy");
  py::tuple both;
  try {
    both = np.attr("broadcast_arrays")(a.values, b.values);
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_ValueError)) throw;
    throw py::value_error(std::string(names) + " do not broadcast together: shapes " +
                          py::str(a.values.attr("shape")).cast<std::string>() + " and " +
                          py::str(b.values.attr("shape")).cast<std::string>());
  }
  const auto flat = [&np](py::handle x) {
    return py::array_t<double>::ensure(np.attr("ascontiguousarray")(x).attr("ravel")());
  };
  const py::array first = both[0].cast<py::array>();
  return {flat(first), flat(both[1]),
          std::vector<py::ssize_t>(first.shape(), first.shape() + first.ndim())};
}

std::size_t worker_request(const py::object& workers) {
  if (workers.is_none()) {
    return py::len(py::module_::import("os").attr("sched_getaffinity")(0));
  }
  if (!py::isinstance<py::int_>(workers) || py::isinstance<py::bool_>(workers)) {
    throw py::type_error("workers must be an integer or None");
  }
  const long n = workers.cast<long>();
  if (n < 1) throw py::value_error("workers must be at least 1");
  return static_cast<std::size_t>(n);
}

// --- Results.

// What kelvora.state and kelvora.saturated return: every property by short name, the phase word
// and the status, as numbers or as arrays of the inputs' broadcast shape.
struct state_result {
  py::dict values;
  py::object phase;
  py::object status;
};

std::array<int, property_count> catalogue_codes() {
  std::array<int, property_count> codes{};
  for (std::size_t i = 0; i < property_count; ++i) codes[i] = property_table[i].code;
  return codes;
}

// A NumPy array of phase words, filled in place: the words are ASCII and fit 16 characters.
py::array phase_words(const std::vector<phase>& phases, const std::vector<py::ssize_t>& shape) {
  constexpr std::size_t width = 16;
  py::array words(py::dtype("<U16"), shape);
  auto* cells = static_cast<std::uint32_t*>(words.mutable_data());
  for (std::size_t i = 0; i < phases.size(); ++i) {
    const std::string_view word = phase_word(phases[i]);
    for (std::size_t c = 0; c < width; ++c) {
      cells[i * width + c] = c < word.size() ? static_cast<unsigned char>(word[c]) : 0;
    }
  }
  return words;
}

std::string failure_reason(int status) {
  return status == status_invalid ? "an input is invalid or out of range"
                                  : "no convergence (the computation failed)";
}

// Evaluates every state of `inputs`; `describe` names a state for the message of a scalar that
// cannot be built.
template <class Describe>
state_result evaluate(state_inputs::kind how, int pair, const input_pair& inputs, bool scalar,
                      std::string_view units, const method& computed, const py::object& workers,
                      Describe describe) {
  static const std::array<int, property_count> codes = catalogue_codes();
  const std::size_t n = static_cast<std::size_t>(inputs.first.size());
  const std::size_t threads = worker_request(workers);
  std::vector<py::array_t<double>> columns;
  std::array<double*, property_count> column_data{};
  for (std::size_t k = 0; k < property_count; ++k) {
    columns.emplace_back(inputs.shape);
    column_data[k] = columns.back().mutable_data();
  }
  py::array_t<int> status(inputs.shape);
  std::vector<phase> phases(n);
  const state_inputs in{how,
                        pair,
                        unit_system_of(units),
                        std::span<const double>(inputs.first.data(), n),
                        std::span<const double>(inputs.second.data(), n),
                        computed};
  const state_outputs out{codes, column_data, std::span<int>(status.mutable_data(), n), phases};
  {
    py::gil_scoped_release unlocked;
    evaluate_states(in, out, threads);
  }

  state_result result;
  if (scalar) {
    const int built = status.data()[0];
    if (built != status_ok) throw state_error(describe() + ": " + failure_reason(built));
    for (std::size_t k = 0; k < property_count; ++k) {
      result.values[py::str(std::string(property_table[k].short_name))] = column_data[k][0];
    }
    result.phase = py::str(std::string(phase_word(phases[0])));
    result.status = py::int_(built);
    return result;
  }
  for (std::size_t k = 0; k < property_count; ++k) {
    result.values[py::str(std::string(property_table[k].short_name))] = columns[k];
  }
  result.phase = phase_words(phases, inputs.shape);
  result.status = status;
  return result;
}

std::string number_text(const py::array_t<double>& values) {
  return py::repr(py::float_(values.data()[0])).cast<std::string>();
}

state_result state(const std::string& pair_name, py::handle a, py::handle b,
                   const std::string& units, const std::string& transport,
                   const py::object& workers) {
  const auto pair = cli::pair_code(pair_name);
  if (!pair) {
    throw py::value_error("unknown pair '" + pair_name + "': use one of " + cli::pair_names());
  }
  unit_system_of(units);
  const method computed = method_with_transport(transport);
  const number_input first = numbers(a, "a"), second = numbers(b, "b");
  const input_pair inputs = broadcast(first, second, "a and b");
  return evaluate(state_inputs::kind::pair, *pair, inputs, first.scalar && second.scalar, units,
                  computed, workers, [&] {
                    return "cannot build the " + pair_name + " state at (" +
                           number_text(inputs.first) + ", " + number_text(inputs.second) + ") in " +
                           units + " units";
                  });
}

state_result saturated(const std::string& by, py::handle value, const py::object& quality,
                       const std::string& phase_name, const std::string& units,
                       const std::string& transport, const py::object& workers) {
  if (by != "T" && by != "p") {
    throw py::value_error("unknown saturation input '" + by + "': use 'T' or 'p'");
  }
  const bool vapour = phase_name == "vapour" || phase_name == "vapor";
  if (!vapour && phase_name != "liquid") {
    throw py::value_error("unknown phase '" + phase_name + "': use 'vapour' or 'liquid'");
  }
  unit_system_of(units);
  const method computed = method_with_transport(transport);
  const number_input input = numbers(value, "value");
  const number_input fraction = quality.is_none()
                                    ? numbers(py::float_(vapour ? 1.0 : 0.0), "quality")
                                    : numbers(quality, "quality");
  const input_pair inputs = broadcast(input, fraction, "value and quality");
  const auto how = by == "T" ? state_inputs::kind::saturated_temperature
                             : state_inputs::kind::saturated_pressure;
  return evaluate(how, 0, inputs, input.scalar && fraction.scalar, units, computed, workers, [&] {
    return "cannot build the saturated state at " + by + " = " + number_text(inputs.first) +
           ", quality " + number_text(inputs.second) + " in " + units + " units";
  });
}

// The eight constants of the Constants page, by the command line's names.
py::dict constants(const std::string& units) {
  constexpr std::array<int, 8> codes{0, 1, 2, 3, 4, 5, 6, 7};
  std::array<double, 8> values{};
  std::array<int, 8> statuses{};
  lookup_constant_set(unit_system_of(units), codes, values, statuses);
  py::dict table;
  for (int code : codes) {
    table[py::str(std::string(cli::constant_name(code)))] = values[static_cast<std::size_t>(code)];
  }
  return table;
}

[[noreturn]] void unknown_property(const std::string& name) {
  PyErr_SetString(
      property_name_error,
      ("unknown property '" + name + "'; the properties are " + cli::property_names()).c_str());
  throw py::error_already_set();
}

py::object property(const state_result& r, const std::string& name) {
  if (!r.values.contains(name)) unknown_property(name);
  return r.values[py::str(name)];
}

std::string describe(const state_result& r) {
  if (py::isinstance<py::array>(r.phase)) {
    return "<kelvora.State of shape " + py::str(r.phase.attr("shape")).cast<std::string>() + ">";
  }
  std::string text = "<kelvora.State " + r.phase.cast<std::string>();
  for (const char* name : {"T", "p", "x", "h", "s"}) {
    text += std::string(" ") + name + "=" + py::repr(r.values[name]).cast<std::string>();
  }
  return text + ">";
}

}  // namespace

}  // namespace Vantrel::python

PYBIND11_MODULE(kelvora, m) {
  using namespace Vantrel::python;
  m.doc() =
      "Thermodynamic and transport properties of water and steam on the IAPWS-95 formulation.\n\n"
      "state(pair, a, b, units='si', transport='1985') and saturated(by, value, quality=None,\n"
      "phase='vapour', units='si', transport='1985') take numbers or NumPy arrays (broadcast\n"
      "together) and return every property by short name (see `properties`). Units: 'si' (°C,\n"
      "bar, kJ/kg), 'english' (°F, psia, Btu/lb) or 'iapws' (K, MPa, kJ/kg: the IAPWS releases'\n"
      "units). Transport: '1985' (IAPS 1985) or '2011' (IAPWS 2008 viscosity with IAPWS 2011\n"
      "thermal conductivity) for mu, lambda and pr. A scalar state that\n"
      "cannot be built raises StateError; arrays never raise for a state but give NaN and a\n"
      "status per state (0 success, 1 invalid or out of range, 2 failed).";
  m.attr("__version__") = KELVORA_VERSION;

  py::register_exception<state_error>(m, "StateError", PyExc_ValueError);
  const py::tuple name_error_bases =
      py::make_tuple(py::handle(PyExc_KeyError), py::handle(PyExc_ValueError));
  property_name_error =
      PyErr_NewException("kelvora.PropertyNameError", name_error_bases.ptr(), nullptr);
  m.attr("PropertyNameError") = py::handle(property_name_error);

  py::class_<state_result>(m, "State",
                           "Every property of a state (or an array of states) by short name, as "
                           "result['lambda'] or result.h; phase names what the state is and "
                           "status says whether it could be built.")
      .def_readonly("phase", &state_result::phase)
      .def_readonly("status", &state_result::status)
      .def("__getitem__", &property)
      .def("__getattr__",
           [](const state_result& r, const std::string& name) -> py::object {
             if (!r.values.contains(name)) {
               throw py::attribute_error("kelvora.State has no property '" + name + "'");
             }
             return r.values[py::str(name)];
           })
      .def("__contains__",
           [](const state_result& r, const py::object& name) { return r.values.contains(name); })
      .def("__iter__", [](const state_result& r) { return py::iter(r.values); })
      .def("__len__", [](const state_result& r) { return py::len(r.values); })
      .def("keys", [](const state_result& r) { return r.values.attr("keys")(); })
      .def("__dir__",
           [](const state_result& r) {
             py::list names;
             for (const auto& item : r.values) names.append(item.first);
             names.append("phase");
             names.append("status");
             names.append("keys");
             return names;
           })
      .def("__repr__", &describe)
      // Results pickle (and copy), so that they pass between processes.
      .def(py::pickle(
          [](const state_result& r) { return py::make_tuple(r.values, r.phase, r.status); },
          [](const py::tuple& t) {
            if (t.size() != 3) throw py::value_error("not a pickled kelvora.State");
            return state_result{t[0].cast<py::dict>(), t[1], t[2]};
          }));

  m.def("state", &state, py::arg("pair"), py::arg("a"), py::arg("b"), py::arg("units") = "si",
        py::arg("transport") = "1985", py::arg("workers") = py::none(),
        "The state given by two inputs: pair is one of T-p T-v T-h T-s T-u p-v p-h p-s p-u h-s.\n"
        "transport: '1985' (IAPS 1985) or '2011' (IAPWS 2008 viscosity, IAPWS 2011 "
        "conductivity).");
  m.def("saturated", &saturated, py::arg("by"), py::arg("value"), py::arg("quality") = py::none(),
        py::arg("phase") = "vapour", py::arg("units") = "si", py::arg("transport") = "1985",
        py::arg("workers") = py::none(),
        "The saturated state at a temperature (by='T') or pressure (by='p'): the vapour or liquid "
        "named by phase, or a mixture of the given quality (0-1), which then takes precedence.\n"
        "transport: '1985' or '2011', as for state.");
  m.def("constants", &constants, py::arg("units") = "si",
        "Molar mass, critical point and triple point of water.");
  m.attr("properties") = property_descriptions();
}
