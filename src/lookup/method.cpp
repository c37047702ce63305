#include "lookup/method.h"

#include <array>

namespace Vantrel {

namespace {

template <class Choice>
struct choice_word {
  Choice choice;
  std::string_view word;
};

constexpr std::array<choice_word<formulation>, 1> formulation_words_table{{
    {formulation::iapws95, "iapws95"},
}};

constexpr std::array<choice_word<transport_set>, 2> transport_words_table{{
    {transport_set::iaps1985, "1985"},
    {transport_set::iapws2011, "2011"},
}};

template <class Choice, std::size_t N>
std::optional<Choice> choice_named(const std::array<choice_word<Choice>, N>& table,
                                   std::string_view word) {
  for (const auto& entry : table)
    if (entry.word == word) return entry.choice;
  return std::nullopt;
}

template <class Choice, std::size_t N>
std::string_view word_in(const std::array<choice_word<Choice>, N>& table, Choice choice) {
  for (const auto& entry : table)
    if (entry.choice == choice) return entry.word;
  return "?";
}

template <class Choice, std::size_t N>
std::string joined(const std::array<choice_word<Choice>, N>& table) {
  std::string text;
  for (const auto& entry : table) {
    if (!text.empty()) text += '|';
    text += entry.word;
  }
  return text;
}

}  // namespace

std::optional<formulation> formulation_named(std::string_view word) {
  return choice_named(formulation_words_table, word);
}
std::optional<transport_set> transport_named(std::string_view word) {
  return choice_named(transport_words_table, word);
}
std::string_view word_of(formulation f) {
  return word_in(formulation_words_table, f);
}
std::string_view word_of(transport_set t) {
  return word_in(transport_words_table, t);
}
std::string formulation_words() {
  return joined(formulation_words_table);
}
std::string transport_words() {
  return joined(transport_words_table);
}

std::span<const method_choice> method_choices() {
  static constexpr std::array<method_choice, 2> choices{{
      {method{formulation::iapws95, transport_set::iaps1985}, "IAPWS-95"},
      {method{formulation::iapws95, transport_set::iapws2011}, "IAPWS-95, 2008/2011 transport"},
  }};
  return choices;
}

std::string method_title(const method& m) {
  for (const auto& choice : method_choices())
    if (choice.m == m) return std::string(choice.title);
  return std::string(word_of(m.eos)) + ", " + std::string(word_of(m.transport)) + " transport";
}

}  // namespace Vantrel
