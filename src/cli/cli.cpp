#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>

#include "charts/diagram.h"
#include "cli/commands.h"
#include "cli/names.h"
#include "lookup/catalogue.h"
#include "lookup/method.h"
#include "pages/catalogue.h"
#include "pages/number_input.h"

namespace Vantrel::cli {

namespace {

// What the command line said, before it is checked.
struct arguments {
  std::string units = "si";
  std::string format = "table";
  std::string formulation = "iapws95";
  std::string transport = "1985";
  std::string props;
  // state
  std::string pair, first, second;
  // sat
  std::string variable, value, phase = "vapor", quality;
  bool quality_given = false;  // an empty --quality is an error, not an absent one
  // table
  std::string kind, from, to, step, at;
  // batch
  std::string file;
  // chart
  std::string diagram;
};

constexpr const char* default_sweep_props = "T,p,x,v,h,s,cp";
constexpr const char* default_saturation_props = "T,p,v,h,s";

// The units of the inputs in either system, from the property catalogue.
std::string inputs_text() {
  const struct {
    const char* names;
    int code;
  } inputs[] = {{"T", code_t}, {"p", code_p}, {"v", code_v}, {"h and u", code_h}, {"s", code_s}};
  std::string text = "Inputs and outputs are in display units.";
  for (const int units : {metric_units, english_units}) {
    text += units == metric_units ? " si:" : " english:";
    for (const auto& input : inputs) {
      text += std::string(input.code == code_t ? " " : ", ") + input.names + " " +
              std::string(property_with_code(input.code)->unit_text(units));
    }
    text += '.';
  }
  return text;
}

const char* const props_help =
    "k is the isentropic expansion coefficient, lambda the thermal conductivity.";

// Where the --props option of a command points for its names.
const char* const props_list = " (names: kelvora-cli props)";

void add_common_options(CLI::App& app, arguments& a) {
  app.add_option("--units", a.units, "Unit system: si or english")
      ->check(CLI::IsMember({"si", "english"}))
      ->capture_default_str();
  app.add_option("--format", a.format,
                 "Output: table (the window's texts), or csv, tsv, json (full precision)")
      ->check(CLI::IsMember({"table", "csv", "tsv", "json"}))
      ->capture_default_str();
  app.add_option("--formulation", a.formulation,
                 "Equation of state: iapws95 (IAPWS-95, scientific) or if97 (IAPWS-IF97, "
                 "industrial)")
      ->check(
          [](const std::string& word) {
            return formulation_named(word) ? std::string() : "use one of " + formulation_words();
          },
          formulation_words())
      ->capture_default_str();
}

// The transport equations of viscosity, conductivity and Prandtl number, by the face's words.
void add_transport_option(CLI::App& app, arguments& a) {
  app.add_option("--transport", a.transport,
                 "Viscosity and thermal conductivity: 1985 (IAPS 1985) or 2011 (IAPWS 2008 "
                 "viscosity, IAPWS 2011 conductivity)")
      ->check(
          [](const std::string& word) {
            return transport_named(word) ? std::string() : "use one of " + transport_words();
          },
          transport_words())
      ->capture_default_str();
}

std::vector<int> props_or(const std::string& given, const std::string& fallback) {
  try {
    return property_list(given.empty() ? fallback : given);
  } catch (const std::invalid_argument& e) {
    throw usage_error(std::string("--props: ") + e.what() +
                      "; use names from: " + property_names());
  }
}

double read_quality(const arguments& a) {
  if (a.quality_given) {
    const double x = read_number("--quality", a.quality);
    if (!(x >= 0.0 && x <= 1.0)) {
      throw usage_error("--quality \"" + a.quality +
                        "\": " + std::string(catalogue_text(text_key::invalid_quality)));
    }
    return x;
  }
  return a.phase == "liquid" ? 0.0 : 1.0;
}

sweep::kind sweep_kind(const std::string& kind) {
  if (kind == "sat-T") return sweep::kind::saturation_temperature;
  if (kind == "sat-p") return sweep::kind::saturation_pressure;
  if (kind == "isobar") return sweep::kind::isobar;
  return sweep::kind::isotherm;
}

// The parser reads an argument that starts with "-" and a letter as options. "-inf" and "-nan"
// are values, which the number rule then refuses with its own message, so they pass through
// the parser behind this mark.
constexpr char value_mark = '\x1F';

bool names_infinity_or_nan(std::string_view arg) {
  if (arg.size() < 4 || arg.front() != '-') return false;
  std::string word;
  for (const char ch : arg.substr(1, 3))
    word += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return word == "inf" || word == "nan";
}

// The parser takes "-5" and "-1e3" for values but "-.5" for an option; the same number written
// with a zero before the point reads as a value.
std::string as_value(const std::string& arg) {
  if (arg.rfind("-.", 0) == 0 && parse_number(arg)) return "-0" + arg.substr(1);
  if (names_infinity_or_nan(arg)) return value_mark + arg;
  return arg;
}

// `text` without the mark of as_value.
std::string unmarked(std::string text) {
  std::erase(text, value_mark);
  return text;
}

void unmark(arguments& a) {
  for (std::string* field :
       {&a.units, &a.format, &a.props, &a.pair, &a.first, &a.second, &a.variable, &a.value,
        &a.phase, &a.quality, &a.kind, &a.from, &a.to, &a.step, &a.at, &a.file, &a.diagram}) {
    *field = unmarked(std::move(*field));
  }
}

// The lines of a diagram's default view; the table format, which is for people, is csv here.
std::string chart_data(const std::string& name, int unit_system, output_format format,
                       const method& m) {
  using namespace charts;
  const diagram_info* diagram = diagram_named(name);
  const diagram_kind kind = diagram != nullptr ? diagram->kind : diagram_kind::pt;
  const data_format data = format == output_format::tsv    ? data_format::tsv
                           : format == output_format::json ? data_format::json
                                                           : data_format::csv;
  return write_lines(
      build_chart(kind, unit_system, default_view(kind, unit_system, m), 800, 600, m), data);
}

std::string version_text() {
  return std::string("kelvora-cli ") + KELVORA_VERSION + " (" + method_title(method{}) + ")";
}

// The names of the subcommands, for a message.
std::string subcommand_names(CLI::App& app) {
  std::string names;
  for (const auto* sub : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (!names.empty()) names += ", ";
    names += sub->get_name();
  }
  return names;
}

// The command's own file, refused before anything is written when it cannot be read.
std::ifstream open_batch(const std::string& name) {
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) {
    throw usage_error("FILE " + quoted_field(name) + ": is a directory");
  }
  std::ifstream file(name);
  if (!file) throw usage_error("FILE " + quoted_field(name) + ": cannot be opened");
  return file;
}

// What every subcommand runs with once the command line has been read.
struct invocation {
  const lookup_context& context;
  output_format format;
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Each subcommand has a builder, which declares its arguments on the parser and returns the
// subcommand, and a runner, which checks what was read and does the work.
using runner = int (*)(const arguments&, const invocation&);

struct subcommand {
  CLI::App* parser;
  runner run;
};

std::string all_properties_text() {
  return "The " + std::to_string(property_count) + " properties";
}

// Where the --props option of a single state points for its names.
void add_state_props(CLI::App& sub, arguments& a) {
  sub.add_option("--props", a.props,
                 std::string("Only these properties, e.g. T,p,h,s") + props_list);
}

std::vector<int> chosen_props(const arguments& a) {
  return a.props.empty() ? std::vector<int>{} : props_or(a.props, "");
}

CLI::App* add_state(CLI::App& app, arguments& a, const std::string& footer) {
  auto* sub =
      app.add_subcommand("state", all_properties_text() + " of the state given by two inputs");
  sub->add_option("PAIR", a.pair, "Input pair: " + pair_names())->required();
  sub->add_option("A", a.first, "First input")->required();
  sub->add_option("B", a.second, "Second input")->required();
  add_state_props(*sub, a);
  add_common_options(*sub, a);
  add_transport_option(*sub, a);
  sub->footer(footer);
  return sub;
}

int run_state(const arguments& a, const invocation& call) {
  const auto pair = pair_code(a.pair);
  if (!pair) {
    throw usage_error("PAIR " + quoted_field(a.pair) + ": unknown input pair; use one of " +
                      pair_names());
  }
  const double first = read_number("A", a.first);
  const double second = read_number("B", a.second);
  return show_state(call.context, state_query::from_pair(*pair, first, second), chosen_props(a),
                    call.format, call.out, call.err);
}

CLI::App* add_sat(CLI::App& app, arguments& a, const std::string& footer) {
  auto* sub = app.add_subcommand("sat", all_properties_text() + " of a saturated state");
  sub->add_option("VARIABLE", a.variable, "T (saturation temperature) or p (saturation pressure)")
      ->required()
      ->check(CLI::IsMember({"T", "p"}));
  sub->add_option("VALUE", a.value, "Saturation temperature or pressure")->required();
  auto* phase = sub->add_option("--phase", a.phase, "vapor (or vapour) or liquid")
                    ->check(CLI::IsMember({"vapor", "vapour", "liquid"}))
                    ->capture_default_str();
  auto* quality = sub->add_option_function<std::string>(
      "--quality",
      [&a](const std::string& text) {
        a.quality = text;
        a.quality_given = true;
      },
      "Vapour mass fraction of a mixture, 0 to 1");
  phase->excludes(quality);
  add_state_props(*sub, a);
  add_common_options(*sub, a);
  add_transport_option(*sub, a);
  sub->footer(footer);
  return sub;
}

int run_sat(const arguments& a, const invocation& call) {
  const double value = read_number("VALUE", a.value);
  const double x = read_quality(a);
  const auto q = a.variable == "T" ? state_query::saturated_at_temperature(value, x)
                                   : state_query::saturated_at_pressure(value, x);
  return show_state(call.context, q, chosen_props(a), call.format, call.out, call.err);
}

CLI::App* add_constants(CLI::App& app, arguments& a, const std::string&) {
  auto* sub = app.add_subcommand("constants", "Molar mass, critical and triple point");
  add_common_options(*sub, a);
  return sub;
}

int run_constants(const arguments&, const invocation& call) {
  return show_constants(call.context, call.format, call.out);
}

CLI::App* add_props(CLI::App& app, arguments& a, const std::string&) {
  auto* sub =
      app.add_subcommand("props", "The short names of the properties, with their names and units");
  add_common_options(*sub, a);
  sub->footer(props_help);
  return sub;
}

int run_props(const arguments&, const invocation& call) {
  return show_properties(call.context, call.format, call.out);
}

CLI::App* add_table(CLI::App& app, arguments& a, const std::string& footer) {
  auto* sub = app.add_subcommand("table", "A sweep, one state per line");
  sub->add_option("KIND", a.kind,
                  "sat-T or sat-p (saturated liquid and vapour side by side), isobar "
                  "(temperature sweep at the pressure --at), isotherm (pressure sweep at the "
                  "temperature --at)")
      ->required()
      ->check(CLI::IsMember({"sat-T", "sat-p", "isobar", "isotherm"}));
  sub->add_option("FROM", a.from, "First temperature or pressure")->required();
  sub->add_option("TO", a.to, "Last temperature or pressure (not passed)")->required();
  sub->add_option("STEP", a.step, "Step; negative to sweep downwards")->required();
  sub->add_option("--at", a.at, "Pressure of an isobar, temperature of an isotherm");
  sub->add_option("--props", a.props,
                  std::string("Columns by short name (default ") + default_sweep_props +
                      ", for sat-T and sat-p " + default_saturation_props +
                      "). Names: " + property_names() + props_list);
  add_common_options(*sub, a);
  add_transport_option(*sub, a);
  sub->footer(footer);
  return sub;
}

int run_table(const arguments& a, const invocation& call) {
  sweep s{sweep_kind(a.kind), 0.0, 0.0, 0.0, 0.0, {}};
  s.from = read_number("FROM", a.from);
  s.to = read_number("TO", a.to);
  s.step = read_number("STEP", a.step);
  const bool saturation =
      s.what == sweep::kind::saturation_temperature || s.what == sweep::kind::saturation_pressure;
  if (saturation && !a.at.empty()) throw usage_error("--at is for isobar and isotherm only");
  if (!saturation) {
    if (a.at.empty()) throw usage_error(a.kind + " needs --at");
    s.at = read_number("--at", a.at);
  }
  s.props = props_or(a.props, saturation ? default_saturation_props : default_sweep_props);
  sweep_values(s.from, s.to, s.step);  // a bad sweep is refused before any output
  return show_sweep(call.context, s, call.format, call.out, call.err);
}

CLI::App* add_batch(CLI::App& app, arguments& a, const std::string& footer) {
  auto* sub = app.add_subcommand(
      "batch", "Reads lines PAIR,A,B and writes one line of properties per line read");
  sub->add_option("FILE", a.file, "Input file (default: standard input)");
  sub->add_option(
      "--props", a.props,
      std::string("Columns by short name (default ") + default_sweep_props + ")" + props_list);
  add_common_options(*sub, a);
  add_transport_option(*sub, a);
  sub->footer(footer);
  return sub;
}

int run_batch_command(const arguments& a, const invocation& call) {
  const auto props = props_or(a.props, default_sweep_props);
  if (a.file.empty() || a.file == "-") {
    return run_batch(call.context, call.in, props, call.format, call.out, call.err);
  }
  std::ifstream file = open_batch(a.file);
  return run_batch(call.context, file, props, call.format, call.out, call.err);
}

CLI::App* add_chart(CLI::App& app, arguments& a, const std::string&) {
  auto* sub = app.add_subcommand("chart", "The lines of a diagram's default view as data");
  std::vector<std::string> diagrams;
  for (const auto& d : charts::diagram_table) diagrams.emplace_back(d.name);
  sub->add_option("DIAGRAM", a.diagram, charts::diagram_names())
      ->required()
      ->check(CLI::IsMember(diagrams));
  add_common_options(*sub, a);
  sub->footer(
      "Rows quantity,value,x,y in display units; a break in a line is an empty row "
      "(json: null). --format table is written as csv.");
  return sub;
}

int run_chart(const arguments& a, const invocation& call) {
  call.out << chart_data(a.diagram, call.context.unit_system, call.format, call.context.m);
  return exit_ok;
}

// Reads the command line into `a`; a message and nothing else when it cannot be read, or the
// answer of --help and --version.
std::optional<int> parse(CLI::App& app, arguments& a, const std::vector<std::string>& args,
                         std::ostream& out, std::ostream& err) {
  try {
    std::vector<std::string> reversed;
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) reversed.push_back(as_value(*arg));
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
      app.exit(e, out, err);  // --help or --version
      return exit_ok;
    }
    const auto extras = app.remaining();
    if (app.get_subcommands().empty() && !extras.empty()) {
      err << "kelvora-cli: unknown subcommand " << quoted_field(unmarked(extras.front()))
          << "; use one of " << subcommand_names(app) << '\n';
    } else {
      err << "kelvora-cli: " << unmarked(e.what()) << '\n';
    }
    err << "Run with --help for more information.\n";
    return exit_usage;
  }
  unmark(a);
  return std::nullopt;
}

int run_command(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
  arguments a;
  const std::string footer = inputs_text();
  CLI::App app{
      "Thermodynamic and transport properties of water and steam (" + method_title(method{}) + ").",
      "kelvora-cli"};
  app.set_version_flag("--version", version_text());
  app.require_subcommand(1);
  app.footer(footer);
  add_common_options(app, a);
  const subcommand subcommands[] = {
      {add_state(app, a, footer), run_state},
      {add_sat(app, a, footer), run_sat},
      {add_constants(app, a, footer), run_constants},
      {add_props(app, a, footer), run_props},
      {add_table(app, a, footer), run_table},
      {add_batch(app, a, footer), run_batch_command},
      {add_chart(app, a, footer), run_chart},
  };
  if (const auto refused = parse(app, a, args, out, err)) return *refused;

  const method m{formulation_named(a.formulation).value_or(formulation::iapws95),
                 transport_named(a.transport).value_or(transport_set::iaps1985)};
  const lookup_context context{m, a.units == "si" ? metric_units : english_units};
  const invocation call{context, format_from_name(a.format).value_or(output_format::table), in, out,
                        err};
  try {
    for (const auto& sub : subcommands) {
      if (sub.parser->parsed()) return sub.run(a, call);
    }
  } catch (const usage_error& e) {
    err << "kelvora-cli: " << e.what() << '\n';
    return exit_usage;
  }
  return exit_usage;
}

}  // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
  const int status = run_command(args, in, out, err);
  if (!out.flush()) {
    err << "kelvora-cli: could not write the output\n";
    return exit_output;
  }
  return status;
}

}  // namespace Vantrel::cli
