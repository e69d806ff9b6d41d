// Macro expressions: operands, precedence, brackets and their failures.
#include "wire/macro_expression.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "core/failure.h"

namespace kovrel {
namespace {

float Value(std::string_view text, const MacroVariables& variables) {
  std::size_t pos = 0;
  MacroCode code;
  const MacroCode::Expression expression = code.Compile(text, pos);
  EXPECT_EQ(pos, text.size()) << text;
  return code.Evaluate(expression, variables);
}

int FailureNumber(std::string_view text, const MacroVariables& variables) {
  try {
    Value(text, variables);
  } catch (const Failure& failure) {
    return failure.number();
  }
  return 0;
}

TEST(MacroExpression, ReadsAsAMachineDoes) {
  MacroVariables v(kMacroVariableCount, 0.0f);
  v[1] = 1, v[2] = 2, v[3] = 3, v[9000] = 0.5f;
  const std::pair<std::string_view, float> table[] = {
      {"5.", 5},          {".5", 0.5f},         {"#1+#2+#3", 6},       {"-#2", -2},         {"#1-#2-#3", -4},
      {"1+2*3", 7},       {"[1+2]*3", 9},       {"8/#2/2", 2},         {"#3*-#2", -6},      {"--#3", 3},
      {"#1 + #2 * #3 ", 7}, {"[[#1]]", 1},      {"#9000*4", 2},        {"#", 0},            {"-[#2+#3]*2", -10},
  };
  for (const auto& [text, value] : table) EXPECT_FLOAT_EQ(Value(text, v), value) << text;
}

TEST(MacroExpression, TwoOperandsGiveTheValueOfTheGeneralEvaluation) {
  // "a op b" of variables and constants against the same with a double
  // negation, which the general evaluation reads: the same float, and the
  // same failure for a division by zero.
  MacroVariables v(kMacroVariableCount, 0.0f);
  std::mt19937 rng(48);
  std::uniform_real_distribution<float> values(-1000, 1000);
  static constexpr std::string_view kOperands[] = {"#1", "#2", "12.345", "0", ".1"};
  static constexpr char kOperators[] = {'+', '-', '*', '/'};
  for (int round = 0; round < 20000; ++round) {
    v[1] = values(rng), v[2] = rng() % 8 == 0 ? 0.0f : values(rng);
    const std::string a(kOperands[rng() % std::size(kOperands)]), b(kOperands[rng() % std::size(kOperands)]);
    const char op = kOperators[rng() % std::size(kOperators)];
    const std::string two = a + op + b, general = "--" + a + op + b;
    ASSERT_EQ(FailureNumber(two, v), FailureNumber(general, v)) << two;
    if (FailureNumber(two, v) != 0) continue;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(Value(two, v)), std::bit_cast<std::uint32_t>(Value(general, v))) << two;
  }
}

TEST(MacroExpression, FailuresHaveTheirNumbers) {
  MacroVariables v(kMacroVariableCount, 0.0f);
  v[1] = 3.0e38f;
  EXPECT_EQ(FailureNumber("1/#5", v), 11);
  EXPECT_EQ(FailureNumber("1/[#1-#1]", v), 11);
  EXPECT_EQ(FailureNumber("#9001", v), 9);
  EXPECT_EQ(FailureNumber("#1*#1", v), 6);
  EXPECT_EQ(FailureNumber("[1+2", v), 5);
  EXPECT_EQ(FailureNumber("*3", v), 5);
  EXPECT_EQ(FailureNumber("", v), 5);
  // Nesting is capped instead of exhausting the stack.
  EXPECT_EQ(FailureNumber(std::string(100000, '[') + "1", v), 5);
  EXPECT_EQ(FailureNumber(std::string(100000, '-') + "1", v), 5);
  EXPECT_EQ(FailureNumber("SQRT[-4]", v), 5);
  EXPECT_EQ(FailureNumber("ABS#1", v), 5);  // a function takes a bracket
  try {
    Value("#1+MAX[#2]", v);
    ADD_FAILURE();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.description(), "式が読めません: #1+MAX[#2]");
  }
}

TEST(MacroExpression, FunctionsOfTheMillingPrograms) {
  MacroVariables v(kMacroVariableCount, 0.0f);
  v[1] = -2.5f, v[2] = 3, v[3] = 4;
  const std::pair<std::string_view, float> table[] = {
      {"ABS[#1]", 2.5f},     {"FIX[#1]", -2},  {"FIX[2.7]", 2},        {"FUP[#1]", -3},       {"FUP[2.1]", 3},
      {"ROUND[#1]", -3},     {"ROUND[2.4]", 2}, {"SQRT[#2*#2+#3*#3]", 5}, {"SIN[30.]", 0.5f}, {"COS[60.]", 0.5f},
      {"TAN[45.]", 1},       {"ATAN[1.]", 45}, {"ATAN[#3]/[-#3]", 135}, {"ATAN[-1.]/[0]", 270}, {"2*ABS[#1]+1", 6},
  };
  for (const auto& [text, value] : table) EXPECT_NEAR(Value(text, v), value, 1e-5) << text;
}

}  // namespace
}  // namespace kovrel
