// The choices of a conversion's options, written once beside the options
// struct: each value with its name on the command line and its caption in
// the parameter window, in the window's order. The window builds its option
// buttons from the table and the command line reads its flags through it,
// so the two can never disagree; Validate functions report a value a run
// would refuse as an OptionProblem naming the option.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kovrel {

/// One choice: the value, its command-line name and its window caption.
template <typename T>
struct NamedChoice {
  T value;
  std::string_view name;
  std::string_view caption;
};

template <typename T, std::size_t N>
using ChoiceTable = std::array<NamedChoice<T>, N>;

/// The value named `name` (exact case), if any.
template <typename T, std::size_t N>
std::optional<T> ChoiceNamed(const ChoiceTable<T, N>& table, std::string_view name) {
  for (const NamedChoice<T>& choice : table) {
    if (choice.name == name) return choice.value;
  }
  return std::nullopt;
}

/// The position of `value` in the table (the window's option index); 0
/// when absent.
template <typename T, std::size_t N>
int ChoiceIndex(const ChoiceTable<T, N>& table, const T& value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (table[i].value == value) return static_cast<int>(i);
  }
  return 0;
}

/// "a, b, c": the names, for a usage message.
template <typename T, std::size_t N>
std::string ChoiceNames(const ChoiceTable<T, N>& table) {
  std::string names;
  for (const NamedChoice<T>& choice : table) {
    if (!names.empty()) names += ", ";
    names += choice.name;
  }
  return names;
}

/// An option value a conversion refuses: the option's command-line name
/// (without "--") and what is wrong with it.
struct OptionProblem {
  std::string_view option;
  std::string message;
};

}  // namespace kovrel
