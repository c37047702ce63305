#pragma once
// The method of calculation: which equation of state and which transport equations a state is
// computed with. Every surface offers the same choices, by the same words, and passes them here.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace Vantrel {

// The equation of state.
enum class formulation : unsigned char {
  iapws95,  // IAPWS-95, the scientific formulation
};

// The equations of viscosity and thermal conductivity.
enum class transport_set : unsigned char {
  iaps1985,   // IAPS 1985
  iapws2011,  // IAPWS 2008 viscosity with IAPWS 2011 thermal conductivity
};

struct method {
  formulation eos = formulation::iapws95;
  transport_set transport = transport_set::iaps1985;

  friend constexpr bool operator==(const method&, const method&) = default;
};

// The words the surfaces take and print: "iapws95"; "1985", "2011".
std::optional<formulation> formulation_named(std::string_view word);
std::optional<transport_set> transport_named(std::string_view word);
std::string_view word_of(formulation f);
std::string_view word_of(transport_set t);
// Every accepted word, separated by "|", for help texts and messages: "iapws95", "1985|2011".
std::string formulation_words();
std::string transport_words();

// The choices of the window's Formulation drop-down, in its order, with the titles that it and
// the result lists' footer show ("IAPWS-95"). Every surface that offers a choice of method offers
// these; the words above name the same choices on the command line and in scripts.
struct method_choice {
  method m;
  std::string_view title;
};
std::span<const method_choice> method_choices();

// The title of a method: its choice's, or the words of its formulation and transport.
std::string method_title(const method& m);

}  // namespace Vantrel
