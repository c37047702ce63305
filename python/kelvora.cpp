// The kelvora Python module: states of water and steam from two inputs, saturated states and the
// constants of water, for single numbers or whole NumPy arrays, through the library's face
// (src/lookup). Numbers come back exactly as the face and kelvora-cli give them.
#include <pybind11/eval.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/catalogue.h"
#include "lookup/codes.h"
#include "lookup/method.h"
#include "lookup/pairs.h"
#include "lookup/state.h"
#include "lookup/units.h"
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

// The steam quality is a vapour fraction here in every unit system, not the window's percentage.
std::string unit_of(const property_info& p, std::string_view units) {
  if (p.code == code_x) return "dimensionless";
  return std::string(p.unit_text(unit_system_of(units)));
}

// The names of a table's rows, separated by spaces, for messages.
template <class Table, class Name>
std::string joined(const Table& table, Name name) {
  std::string text;
  for (const auto& row : table) {
    if (!text.empty()) text += ' ';
    text += name(row);
  }
  return text;
}

std::string pair_names() {
  return joined(pair_table, [](const pair_info& p) { return p.name; });
}

std::string property_names() {
  return joined(property_table, [](const property_info& p) { return p.short_name; });
}

// kelvora.properties: short name -> {"name", "si", "english", "iapws"}, in the window's order.
// Read-only at both levels, so that a careless assignment cannot change what every later
// caller reads.
py::object property_descriptions() {
  const py::object read_only_mapping = py::module_::import("types").attr("MappingProxyType");
  py::dict table;
  for (const auto& p : property_table) {
    py::dict entry;
    entry["name"] = std::string(p.name);
    for (const auto& u : unit_choices) entry[py::str(std::string(u.name))] = unit_of(p, u.name);
    table[py::str(std::string(p.short_name))] = read_only_mapping(entry);
  }
  return read_only_mapping(table);
}

// The words of the window's quality row for single phases, and the module's own for the rest.
std::string_view phase_word(state_phase ph) {
  switch (ph) {
    case state_phase::indeterminate:
      return "Indeterminate";
    case state_phase::superheated:
      return "Superheated";
    case state_phase::subcooled:
      return "Subcooled";
    case state_phase::two_phase:
      return "Two-phase";
    case state_phase::saturated_liquid:
      return "Saturated liquid";
    case state_phase::saturated_vapour:
      return "Saturated vapour";
    case state_phase::error:
      break;
  }
  return "Error";
}

// --- Inputs.

// Raises `type` (a Python exception class) with `message`.
[[noreturn]] void raise(PyObject* type, const std::string& message) {
  PyErr_SetString(type, message.c_str());
  throw py::error_already_set();
}

std::string type_name(py::handle obj) {
  return py::str(py::type::handle_of(obj).attr("__qualname__")).cast<std::string>();
}

// The start of repr(obj), for a message about a value that may be thousands of digits long.
std::string short_repr(py::handle obj) {
  constexpr std::size_t longest = 40;
  std::string text = py::repr(obj).cast<std::string>();
  if (text.size() > longest) text = text.substr(0, longest) + "...";
  return text;
}

[[noreturn]] void not_a_number(const char* what, const std::string& kind) {
  throw py::type_error(std::string(what) + " must be a number or an array of numbers, not " + kind);
}

// What float() makes of one element of an object array: Decimal, Fraction, an int too long
// for NumPy's integers, anything with __float__. Texts and truth values are not numbers here,
// though float() reads them.
double float_of(py::handle item, const char* what) {
  if (PyUnicode_Check(item.ptr()) || PyBytes_Check(item.ptr()) || PyByteArray_Check(item.ptr()) ||
      PyBool_Check(item.ptr())) {
    not_a_number(what, type_name(item));
  }
  PyObject* converted = PyNumber_Float(item.ptr());
  if (converted == nullptr) {
    if (PyErr_ExceptionMatches(PyExc_OverflowError)) {
      PyErr_Clear();
      raise(PyExc_OverflowError, std::string(what) + " = " + short_repr(item) + " (" +
                                     type_name(item) + ") is too large for a float");
    }
    if (PyErr_ExceptionMatches(PyExc_TypeError)) {
      PyErr_Clear();
      not_a_number(what, type_name(item));
    }
    throw py::error_already_set();
  }
  const double value = PyFloat_AS_DOUBLE(converted);
  Py_DECREF(converted);
  return value;
}

// NumPy, imported once for the life of the process: every import goes through builtins.__import__,
// which a host interpreter may wrap (the office's Python bridge does, at tens of µs a call). The
// module is never unloaded, so the reference is kept, not released.
py::handle numpy() {
  static const py::handle np = py::module_::import("numpy").release();
  return np;
}

struct number_input {
  py::array_t<double> values;
  bool scalar;  // a plain number, not an array
};

number_input numbers(py::handle obj, const char* what) {
  const py::handle np = numpy();
  py::array array;
  try {
    array = np.attr("asarray")(obj);
  } catch (py::error_already_set& e) {
    // A ragged list and the like; an interruption or anything else raised by the argument's own
    // __array__ comes through as itself.
    if (!e.matches(PyExc_TypeError) && !e.matches(PyExc_ValueError)) throw;
    throw py::type_error(std::string(what) + " must be a number or an array of numbers (" +
                         e.what() + ")");
  }
  const bool scalar = !py::isinstance<py::array>(obj) && array.ndim() == 0;
  const char kind = array.dtype().kind();
  if (kind == 'O') {
    py::array_t<double> values(
        std::vector<py::ssize_t>(array.shape(), array.shape() + array.ndim()));
    double* out = values.mutable_data();
    for (const py::handle item : array.attr("flat")) *out++ = float_of(item, what);
    return {values, scalar};
  }
  if (kind != 'i' && kind != 'u' && kind != 'f') {
    not_a_number(what, scalar ? type_name(obj) : py::str(array.dtype()).cast<std::string>());
  }
  return {py::array_t<double>::ensure(array), scalar};
}

// The two inputs broadcast together and laid out flat, with the shape of the result.
struct input_pair {
  py::array_t<double> first, second;
  std::vector<py::ssize_t> shape;
};

input_pair broadcast(const number_input& a, const number_input& b, const char* names) {
  const py::handle np = numpy();
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

// Worker threads for a call: every core when None; any integer (a NumPy one too) of at least 1,
// no more than the cores.
std::size_t worker_request(const py::object& workers) {
  const std::size_t cores = available_cores();
  if (workers.is_none()) return cores;
  const bool truth_value =
      PyBool_Check(workers.ptr()) || py::isinstance(workers, numpy().attr("bool_"));
  PyObject* index = truth_value ? nullptr : PyNumber_Index(workers.ptr());
  if (index == nullptr) {
    if (!truth_value && !PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
    PyErr_Clear();
    throw py::type_error("workers must be an integer or None, not " + type_name(workers));
  }
  const py::object n = py::reinterpret_steal<py::object>(index);
  int overflow = 0;
  const long long count = PyLong_AsLongLongAndOverflow(n.ptr(), &overflow);
  if (overflow > 0) throw py::value_error("workers = " + short_repr(n) + " is too large");
  if (overflow < 0 || count < 1) throw py::value_error("workers must be at least 1");
  return std::min(static_cast<std::size_t>(count), cores);
}

// --- Results.

// What kelvora.state and kelvora.saturated return: every property by short name, the phase as
// its code (an index into kelvora.PHASES) and the status, as numbers or as read-only arrays of
// the inputs' broadcast shape.
struct result_object {
  py::dict values;
  py::object phase_code;
  py::object status;
};

// kelvora.State.__new__ alone makes an object with no result behind it (its storage is not
// even constructed), so every method takes the object and checks before it reads the result.
const result_object& made(py::handle self) {
  if (!py::isinstance<result_object>(self)) throw py::type_error("not a kelvora.State");
  auto* instance = reinterpret_cast<py::detail::instance*>(self.ptr());
  if (!instance->get_value_and_holder().holder_constructed()) {
    throw py::type_error(
        "this kelvora.State was never initialised; states come from kelvora.state and "
        "kelvora.saturated");
  }
  return self.cast<const result_object&>();
}

// The arrays a result hands out are its own: a caller who wants to change one copies it.
py::object read_only(py::object array) {
  if (py::isinstance<py::array>(array)) array.attr("setflags")(py::arg("write") = false);
  return array;
}

[[noreturn]] void unknown_property(const std::string& name) {
  PyErr_SetString(
      property_name_error,
      ("unknown property '" + name + "'; the properties are " + property_names()).c_str());
  throw py::error_already_set();
}

// The properties a call computes, by code, in the order of the result's keys: all of the
// catalogue, or those that props names.
std::vector<int> wanted_codes(const py::object& props) {
  std::vector<int> codes;
  if (props.is_none()) {
    for (const auto& p : property_table) codes.push_back(p.code);
    return codes;
  }
  // One name is a sequence of letters too; it means that one property.
  const py::object names =
      py::isinstance<py::str>(props) ? py::object(py::make_tuple(props)) : props;
  if (!py::isinstance<py::iterable>(names)) {
    throw py::type_error("props must be a sequence of property names, not " + type_name(props));
  }
  for (const py::handle name : names) {
    if (!py::isinstance<py::str>(name)) {
      throw py::type_error("props must be a sequence of property names, not of " + type_name(name));
    }
    const auto* p = property_named(name.cast<std::string>());
    if (p == nullptr) unknown_property(name.cast<std::string>());
    if (std::find(codes.begin(), codes.end(), p->code) == codes.end()) codes.push_back(p->code);
  }
  if (codes.empty()) throw py::value_error("props names no property");
  return codes;
}

// kelvora.PHASES: the phase words by phase code.
py::tuple phase_names() {
  py::tuple names(phase_count);
  for (std::size_t i = 0; i < phase_count; ++i) {
    names[i] = py::str(std::string(phase_word(static_cast<state_phase>(i))));
  }
  return names;
}

// The phase words of a result, made when asked for: a one-byte code per state is what the
// result keeps.
py::object phase_of(const result_object& r) {
  // Kept for the life of the process: the interpreter is gone when static objects are
  // destroyed.
  static const py::tuple& names = *new py::tuple(phase_names());
  if (!py::isinstance<py::array>(r.phase_code)) return names[r.phase_code.cast<std::size_t>()];
  static const py::object& words =
      *new py::object(py::module_::import("numpy").attr("array")(names, py::arg("dtype") = "<U16"));
  return read_only(words.attr("take")(r.phase_code));
}

std::string failure_reason(int status) {
  return status == status_invalid ? "an input is invalid or out of range"
                                  : "no convergence (the computation failed)";
}

// Whether a signal handler has raised (Ctrl-C raises KeyboardInterrupt); the exception is then
// pending on this thread. Called with the GIL released.
bool signalled() {
  const py::gil_scoped_acquire held;
  return PyErr_CheckSignals() != 0;
}

// The transport equations by the face's words: "1985" (the default) or "2011".
method method_with_transport(const std::string& word) {
  const auto transport = transport_named(word);
  if (!transport) {
    throw py::value_error("unknown transport '" + word + "': use one of " + transport_words());
  }
  return method{formulation::iapws95, *transport};
}

py::str property_key(int code) {
  return py::str(std::string(property_with_code(code)->short_name));
}

// The result of a single state: plain numbers, or state_error saying why it was not built.
template <class Describe>
result_object scalar_result(int built, std::uint8_t phase_code, const std::vector<int>& codes,
                            const std::vector<double*>& column_data, Describe describe) {
  if (built != status_ok) throw state_error(describe() + ": " + failure_reason(built));
  result_object result;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    result.values[property_key(codes[k])] = column_data[k][0];
  }
  result.phase_code = py::int_(phase_code);
  result.status = py::int_(built);
  return result;
}

// Evaluates the properties `codes` of every state of `inputs`; `describe` names a state for
// the message of a scalar that cannot be built.
template <class Describe>
result_object evaluate(int pair, const input_pair& inputs, bool scalar, std::string_view units,
                       const method& computed, const std::vector<int>& codes,
                       const py::object& workers, Describe describe) {
  const std::size_t n = static_cast<std::size_t>(inputs.first.size());
  const std::size_t threads = worker_request(workers);
  std::vector<py::array_t<double>> columns;
  std::vector<double*> column_data;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    columns.emplace_back(inputs.shape);
    column_data.push_back(columns.back().mutable_data());
  }
  py::array_t<int> status(inputs.shape);
  py::array_t<std::uint8_t> phases(inputs.shape);
  const state_inputs in{pair, unit_system_of(units),
                        std::span<const double>(inputs.first.data(), n),
                        std::span<const double>(inputs.second.data(), n), computed};
  const state_outputs out{codes, column_data, std::span<int>(status.mutable_data(), n),
                          std::span<std::uint8_t>(phases.mutable_data(), n)};
  bool completed = false;
  {
    py::gil_scoped_release unlocked;
    completed = evaluate_states(in, out, threads, signalled);
  }
  if (!completed) throw py::error_already_set();

  if (scalar) {
    return scalar_result(status.data()[0], phases.data()[0], codes, column_data, describe);
  }
  result_object result;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    result.values[property_key(codes[k])] = read_only(columns[k]);
  }
  result.phase_code = read_only(phases);
  result.status = read_only(status);
  return result;
}

std::string number_text(double value) {
  return py::repr(py::float_(value)).cast<std::string>();
}

// A plain Python number (not a bool, which is no number here), as a double.
std::optional<double> plain_number(py::handle obj) {
  if (PyFloat_CheckExact(obj.ptr())) return PyFloat_AS_DOUBLE(obj.ptr());
  if (PyLong_CheckExact(obj.ptr())) {
    const double value = PyLong_AsDouble(obj.ptr());
    if (value == -1.0 && PyErr_Occurred()) {
      PyErr_Clear();  // too large for a double: the array path says so
      return std::nullopt;
    }
    return value;
  }
  return std::nullopt;
}

// One state from two plain numbers, without NumPy: a loop over single states, or a spreadsheet
// cell, would otherwise spend more on building arrays than on the state itself. The same
// numbers and errors as the array path.
template <class Describe>
std::optional<result_object> evaluate_one(int pair, py::handle a, py::handle b,
                                          std::string_view units, const method& computed,
                                          const std::vector<int>& codes, const py::object& workers,
                                          Describe describe) {
  const std::optional<double> first = plain_number(a), second = plain_number(b);
  if (!first || !second) return std::nullopt;
  worker_request(workers);  // refused as for arrays
  std::vector<double> values(codes.size());
  std::vector<double*> column_data;
  for (double& v : values) column_data.push_back(&v);
  int status = status_ok;
  std::uint8_t phase_code = 0;
  const state_inputs in{pair, unit_system_of(units), std::span<const double>(&*first, 1),
                        std::span<const double>(&*second, 1), computed};
  evaluate_states(in, {codes, column_data, std::span<int>(&status, 1), {&phase_code, 1}}, 1);
  return scalar_result(status, phase_code, codes, column_data,
                       [&] { return describe(*first, *second); });
}

result_object state(const std::string& pair_name, py::handle a, py::handle b,
                    const std::string& units, const py::object& props, const py::object& workers,
                    const std::string& transport) {
  const pair_info* pair = pair_named(pair_name);
  if (pair == nullptr) {
    throw py::value_error("unknown pair '" + pair_name + "': use one of " + pair_names());
  }
  unit_system_of(units);
  const method computed = method_with_transport(transport);
  const std::vector<int> codes = wanted_codes(props);
  const auto describe = [&](double x, double y) {
    return "cannot build the " + pair_name + " state at (" + number_text(x) + ", " +
           number_text(y) + ") in " + units + " units";
  };
  if (auto one = evaluate_one(pair->code, a, b, units, computed, codes, workers, describe)) {
    return std::move(*one);
  }
  const number_input first = numbers(a, "a"), second = numbers(b, "b");
  const input_pair inputs = broadcast(first, second, "a and b");
  return evaluate(pair->code, inputs, first.scalar && second.scalar, units, computed, codes,
                  workers,
                  [&] { return describe(inputs.first.data()[0], inputs.second.data()[0]); });
}

result_object saturated(const std::string& by, py::handle value, const py::object& quality,
                        const std::string& phase_name, const std::string& units,
                        const py::object& props, const py::object& workers,
                        const std::string& transport) {
  if (by != "T" && by != "p") {
    throw py::value_error("unknown saturation input '" + by + "': use 'T' or 'p'");
  }
  const bool vapour = phase_name == "vapour" || phase_name == "vapor";
  if (!vapour && phase_name != "liquid") {
    throw py::value_error("unknown phase '" + phase_name + "': use 'vapour' or 'liquid'");
  }
  unit_system_of(units);
  const method computed = method_with_transport(transport);
  const std::vector<int> codes = wanted_codes(props);
  const number_input input = numbers(value, "value");
  const number_input fraction = quality.is_none()
                                    ? numbers(py::float_(vapour ? 1.0 : 0.0), "quality")
                                    : numbers(quality, "quality");
  const input_pair inputs = broadcast(input, fraction, "value and quality");
  const int pair = by == "T" ? pair_tx : pair_px;
  return evaluate(pair, inputs, input.scalar && fraction.scalar, units, computed, codes, workers,
                  [&] {
                    return "cannot build the saturated state at " + by + " = " +
                           number_text(inputs.first.data()[0]) + ", quality " +
                           number_text(inputs.second.data()[0]) + " in " + units + " units";
                  });
}

// The eight constants of the Constants page, by their short names, as published.
py::dict constants(const std::string& units) {
  const int unit_system = unit_system_of(units);
  py::dict table;
  for (const auto& c : constant_table) {
    table[py::str(std::string(c.short_name))] = constant(c.code, method{}, unit_system);
  }
  return table;
}

py::object property(py::handle r, const std::string& name) {
  const py::dict& values = made(r).values;
  if (!values.contains(name)) unknown_property(name);
  return values[py::str(name)];
}

std::string describe(py::handle given) {
  const result_object& r = made(given);
  if (py::isinstance<py::array>(r.phase_code)) {
    return "<kelvora.State of shape " + py::str(r.phase_code.attr("shape")).cast<std::string>() +
           ">";
  }
  std::string text = "<kelvora.State " + phase_of(r).cast<std::string>();
  for (const char* name : {"T", "p", "x", "h", "s"}) {
    if (!r.values.contains(name)) continue;
    text += std::string(" ") + name + "=" + py::repr(r.values[name]).cast<std::string>();
  }
  return text + ">";
}

// A result from its pickled parts; its arrays are read-only again.
result_object state_from_parts(const py::dict& values, const py::object& phase_code,
                               const py::object& status) {
  result_object r{py::dict(), read_only(phase_code), read_only(status)};
  for (const auto& item : values)
    r.values[item.first] = read_only(py::reinterpret_borrow<py::object>(item.second));
  return r;
}

}  // namespace

}  // namespace Vantrel::python

PYBIND11_MODULE(kelvora, m) {
  using namespace Vantrel::python;
  m.doc() =
      "Thermodynamic and transport properties of water and steam on the IAPWS-95 formulation.\n\n"
      "state(pair, a, b, units='si') and saturated(by, value, quality=None, phase='vapour',\n"
      "units='si') take numbers or NumPy arrays (broadcast together) and return every property\n"
      "by short name (see `properties`). Units: 'si' (°C, bar, kJ/kg), 'english' (°F, psia,\n"
      "Btu/lb) or 'iapws' (K, MPa, kJ/kg: the IAPWS releases' units). A scalar state that\n"
      "cannot be built raises StateError; arrays never raise for a state but give NaN and a\n"
      "status per state (0 success, 1 invalid or out of range, 2 failed). The arrays of a\n"
      "result are read-only. Ctrl-C stops a long call with KeyboardInterrupt. Both take\n"
      "transport='1985' (IAPS 1985, the default) or '2011' (IAPWS 2008 viscosity with IAPWS\n"
      "2011 thermal conductivity) for mu, lambda and pr.";
  m.attr("__version__") = KELVORA_VERSION;

  py::register_exception<state_error>(m, "StateError", PyExc_ValueError);
  const py::tuple name_error_bases =
      py::make_tuple(py::handle(PyExc_KeyError), py::handle(PyExc_ValueError));
  property_name_error =
      PyErr_NewException("kelvora.PropertyNameError", name_error_bases.ptr(), nullptr);
  m.attr("PropertyNameError") = py::handle(property_name_error);

  // Unpickling calls _state_from_parts by its name in the module. It is written in Python
  // because pickle finds a Python function by its module and name, which a compiled function
  // bound to its own data does not offer.
  m.def("_make_state", &state_from_parts);
  py::exec(R"(
def _state_from_parts(values, phase_code, status):
    return _make_state(values, phase_code, status)
)",
           m.attr("__dict__"));
  const py::object restore = m.attr("_state_from_parts");

  py::class_<result_object>(m, "State",
                            "Every property of a state (or an array of states) by short name, as "
                            "result['lambda'] or result.h; phase names what the state is (the "
                            "word of kelvora.PHASES at phase_code) and status says whether it "
                            "could be built.")
      .def_property_readonly("phase", [](py::handle r) { return phase_of(made(r)); })
      .def_property_readonly("phase_code", [](py::handle r) { return made(r).phase_code; })
      .def_property_readonly("status", [](py::handle r) { return made(r).status; })
      .def("__getitem__", &property)
      .def("__getattr__",
           [](py::handle given, const std::string& name) -> py::object {
             const result_object& r = made(given);
             if (!r.values.contains(name)) {
               throw py::attribute_error("kelvora.State has no property '" + name + "'");
             }
             return r.values[py::str(name)];
           })
      .def("__contains__",
           [](py::handle r, const py::object& name) { return made(r).values.contains(name); })
      .def("__iter__", [](py::handle r) { return py::iter(made(r).values); })
      .def("__len__", [](py::handle r) { return py::len(made(r).values); })
      .def("keys", [](py::handle r) { return made(r).values.attr("keys")(); })
      .def("__dir__",
           [](py::handle r) {
             py::list names;
             for (const auto& item : made(r).values) names.append(item.first);
             for (const char* name : {"phase", "phase_code", "status", "keys"}) names.append(name);
             return names;
           })
      .def("__repr__", &describe)
      // Results pickle (with every protocol) and copy, so that they pass between processes.
      .def("__reduce__", [restore](py::handle given) {
        const result_object& r = made(given);
        return py::make_tuple(restore, py::make_tuple(r.values, r.phase_code, r.status));
      });

  m.def("state", &state, py::arg("pair"), py::arg("a"), py::arg("b"), py::arg("units") = "si",
        py::arg("props") = py::none(), py::arg("workers") = py::none(),
        py::arg("transport") = "1985",
        ("The state given by two inputs: pair is one of " + pair_names() +
         " (T-x and p-x: saturated, with the vapour fraction 0-1). props, a sequence of short "
         "names, computes only those properties. transport: '1985' (IAPS 1985) or '2011' (IAPWS "
         "2008 viscosity, IAPWS 2011 conductivity) for mu, lambda and pr.")
            .c_str());
  m.def("saturated", &saturated, py::arg("by"), py::arg("value"), py::arg("quality") = py::none(),
        py::arg("phase") = "vapour", py::arg("units") = "si", py::arg("props") = py::none(),
        py::arg("workers") = py::none(), py::arg("transport") = "1985",
        "The saturated state at a temperature (by='T') or pressure (by='p'): the vapour or liquid "
        "named by phase, or a mixture of the given quality (0-1), which then takes precedence. "
        "transport: '1985' or '2011', as for state.");
  m.def("constants", &constants, py::arg("units") = "si",
        "Molar mass, critical point and triple point of water.");
  m.attr("properties") = property_descriptions();
  m.attr("PHASES") = phase_names();
}
