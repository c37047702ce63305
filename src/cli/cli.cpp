#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>

#include "charts/diagram.h"
#include "cli/commands.h"
#include "cli/names.h"
#include "lookup/catalogue.h"
#include "pages/catalogue.h"
#include "pages/number_input.h"
#include "pages/rows.h"

namespace Vantrel::cli {

namespace {

// What the command line said, before it is checked.
struct arguments {
  std::string units = "si";
  std::string format = "table";
  std::string props;
  // state
  std::string pair, first, second;
  // sat
  std::string variable, value, phase = "vapor", quality;
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
              std::string(unit_text(*property_with_code(input.code), units));
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
  if (!a.quality.empty()) {
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

// The parser takes "-5" and "-1e3" for values but "-.5" for an option; the same number written
// with a zero before the point reads as a value.
std::string as_value(const std::string& arg) {
  if (arg.rfind("-.", 0) == 0 && parse_number(arg)) return "-0" + arg.substr(1);
  return arg;
}

// The lines of a diagram's default view; the table format, which is for people, is csv here.
std::string chart_data(const std::string& name, int unit_system, output_format format) {
  using namespace charts;
  const diagram_info* diagram = diagram_named(name);
  const diagram_kind kind = diagram != nullptr ? diagram->kind : diagram_kind::pt;
  const data_format data = format == output_format::tsv    ? data_format::tsv
                           : format == output_format::json ? data_format::json
                                                           : data_format::csv;
  return write_lines(build_chart(kind, unit_system, default_view(kind, unit_system)), data);
}

std::string version_text() {
  return std::string("kelvora-cli ") + KELVORA_VERSION + " (IAPWS-95)";
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

int run_command(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err, const page_lookups& lookups) {
  arguments a;
  const std::string inputs_help = inputs_text();
  CLI::App app{"Thermodynamic and transport properties of water and steam (IAPWS-95).",
               "kelvora-cli"};
  app.set_version_flag("--version", version_text());
  app.require_subcommand(1);
  app.footer(inputs_help);
  add_common_options(app, a);

  const std::string all_properties = "The " + std::to_string(property_count) + " properties";
  auto* state = app.add_subcommand("state", all_properties + " of the state given by two inputs");
  state->add_option("PAIR", a.pair, "Input pair: " + pair_names())->required();
  state->add_option("A", a.first, "First input")->required();
  state->add_option("B", a.second, "Second input")->required();
  state->add_option("--props", a.props,
                    std::string("Only these properties, e.g. T,p,h,s") + props_list);
  add_common_options(*state, a);
  state->footer(inputs_help);

  auto* sat = app.add_subcommand("sat", all_properties + " of a saturated state");
  sat->add_option("VARIABLE", a.variable, "T (saturation temperature) or p (saturation pressure)")
      ->required()
      ->check(CLI::IsMember({"T", "p"}));
  sat->add_option("VALUE", a.value, "Saturation temperature or pressure")->required();
  auto* phase = sat->add_option("--phase", a.phase, "vapor or liquid")
                    ->check(CLI::IsMember({"vapor", "liquid"}))
                    ->capture_default_str();
  auto* quality =
      sat->add_option("--quality", a.quality, "Vapour mass fraction of a mixture, 0 to 1");
  phase->excludes(quality);
  sat->add_option("--props", a.props,
                  std::string("Only these properties, e.g. T,p,h,s") + props_list);
  add_common_options(*sat, a);
  sat->footer(inputs_help);

  auto* constants = app.add_subcommand("constants", "Molar mass, critical and triple point");
  add_common_options(*constants, a);

  auto* props =
      app.add_subcommand("props", "The short names of the properties, with their names and units");
  add_common_options(*props, a);
  props->footer(props_help);

  auto* table = app.add_subcommand("table", "A sweep, one state per line");
  table
      ->add_option("KIND", a.kind,
                   "sat-T or sat-p (saturated liquid and vapour side by side), isobar "
                   "(temperature sweep at the pressure --at), isotherm (pressure sweep at the "
                   "temperature --at)")
      ->required()
      ->check(CLI::IsMember({"sat-T", "sat-p", "isobar", "isotherm"}));
  table->add_option("FROM", a.from, "First temperature or pressure")->required();
  table->add_option("TO", a.to, "Last temperature or pressure (not passed)")->required();
  table->add_option("STEP", a.step, "Step; negative to sweep downwards")->required();
  table->add_option("--at", a.at, "Pressure of an isobar, temperature of an isotherm");
  table->add_option("--props", a.props,
                    std::string("Columns by short name (default ") + default_sweep_props +
                        ", for sat-T and sat-p " + default_saturation_props +
                        "). Names: " + property_names() + props_list);
  add_common_options(*table, a);
  table->footer(inputs_help);

  auto* batch = app.add_subcommand(
      "batch", "Reads lines PAIR,A,B and writes one line of properties per line read");
  batch->add_option("FILE", a.file, "Input file (default: standard input)");
  batch->add_option(
      "--props", a.props,
      std::string("Columns by short name (default ") + default_sweep_props + ")" + props_list);
  add_common_options(*batch, a);
  batch->footer(inputs_help);

  auto* chart = app.add_subcommand("chart", "The lines of a diagram's default view as data");
  std::vector<std::string> diagrams;
  for (const auto& d : charts::diagram_table) diagrams.emplace_back(d.name);
  chart->add_option("DIAGRAM", a.diagram, charts::diagram_names())
      ->required()
      ->check(CLI::IsMember(diagrams));
  add_common_options(*chart, a);
  chart->footer(
      "Rows quantity,value,x,y in display units; a break in a line is an empty row "
      "(json: null). --format table is written as csv.");

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
      err << "kelvora-cli: unknown subcommand " << quoted_field(extras.front()) << "; use one of "
          << subcommand_names(app) << '\n';
    } else {
      err << "kelvora-cli: " << e.what() << '\n';
    }
    err << "Run with --help for more information.\n";
    return exit_usage;
  }

  const lookup_context context{lookups, a.units == "si" ? 0 : 1};
  const output_format format = format_from_name(a.format).value_or(output_format::table);
  try {
    if (state->parsed()) {
      const auto pair = pair_code(a.pair);
      if (!pair) {
        throw usage_error("PAIR " + quoted_field(a.pair) + ": unknown input pair; use one of " +
                          pair_names());
      }
      const double first = read_number("A", a.first);
      const double second = read_number("B", a.second);
      const auto props = a.props.empty() ? std::vector<int>{} : props_or(a.props, "");
      return show_state(context, state_query::from_pair(*pair, first, second), props, format, out,
                        err);
    }
    if (sat->parsed()) {
      const double value = read_number("VALUE", a.value);
      const double x = read_quality(a);
      const auto props = a.props.empty() ? std::vector<int>{} : props_or(a.props, "");
      const auto q = a.variable == "T" ? state_query::saturated_at_temperature(value, x)
                                       : state_query::saturated_at_pressure(value, x);
      return show_state(context, q, props, format, out, err);
    }
    if (constants->parsed()) return show_constants(context, format, out);
    if (props->parsed()) return show_properties(context, format, out);
    if (table->parsed()) {
      sweep s{sweep_kind(a.kind), 0.0, 0.0, 0.0, 0.0, {}};
      s.from = read_number("FROM", a.from);
      s.to = read_number("TO", a.to);
      s.step = read_number("STEP", a.step);
      const bool saturation = s.what == sweep::kind::saturation_temperature ||
                              s.what == sweep::kind::saturation_pressure;
      if (saturation && !a.at.empty()) throw usage_error("--at is for isobar and isotherm only");
      if (!saturation) {
        if (a.at.empty()) throw usage_error(a.kind + " needs --at");
        s.at = read_number("--at", a.at);
      }
      s.props = props_or(a.props, saturation ? default_saturation_props : default_sweep_props);
      sweep_values(s.from, s.to, s.step);  // a bad sweep is refused before any output
      return show_sweep(context, s, format, out, err);
    }
    if (chart->parsed()) {
      out << chart_data(a.diagram, context.unit_system, format);
      return exit_ok;
    }
    if (batch->parsed()) {
      const auto props = props_or(a.props, default_sweep_props);
      if (a.file.empty() || a.file == "-") return run_batch(context, in, props, format, out, err);
      std::ifstream file = open_batch(a.file);
      return run_batch(context, file, props, format, out, err);
    }
  } catch (const usage_error& e) {
    err << "kelvora-cli: " << e.what() << '\n';
    return exit_usage;
  }
  return exit_usage;
}

}  // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, const page_lookups& lookups) {
  const int status = run_command(args, in, out, err, lookups);
  if (!out.flush()) {
    err << "kelvora-cli: could not write the output\n";
    return exit_output;
  }
  return status;
}

}  // namespace Vantrel::cli
