// Custom-macro expressions of wire programs, read as a machine reads them:
// numbers and # variables (#0 to #9000) with a unary minus, "*" and "/"
// before "+" and "-", brackets ("[#1+#2]*2") and the functions ABS, FIX,
// FUP, ROUND, SQRT, SIN, COS, TAN and ATAN (angles in degrees; ATAN[a]/[b]
// is the direction of (b, a)), as the milling programs of wire to milling
// use them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kovrel {

inline constexpr std::size_t kMacroVariableCount = 9001;  // #0 to #9000

/// The variables #0 to #9000.
using MacroVariables = std::vector<float>;

/// Throws Failure 5 for the line `text` whose expression cannot be read:
/// "式が読めません: " + text.
[[noreturn]] void FailUnreadableExpression(std::string_view text);

/// The postfix code of the expressions of one line, one after another; an
/// expression is a range of it. A line's code is compiled once and
/// evaluated against the variables as often as a loop runs the line; a code
/// cleared and compiled again reuses its storage, so compiling a line
/// allocates nothing once the code has grown to the size lines need.
class MacroCode {
 public:
  /// An expression: a range of the code. Empty for an address a line lacks.
  struct Expression {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    bool empty() const { return count == 0; }
  };

  /// A constant expression.
  Expression Constant(double value);

  /// Compiles the expression (a sum of products) at `pos` of `text`; `pos`
  /// moves past it and the blanks after it. Throws Failure 5 naming `text`
  /// when no expression begins there, a bracket does not close or the
  /// nesting is too deep; Failure 9 for a variable above 9000.
  Expression Compile(std::string_view text, std::size_t& pos);

  /// Compiles one operand at `pos`: a number, "#" n, or a bracket, with
  /// optional signs ("-#1", "[#1+#2]", "5."). Failure as Compile.
  Expression CompileOperand(std::string_view text, std::size_t& pos);

  /// The value of `expression` (not empty). Throws Failure 11 for a
  /// division by zero, Failure 6 for a result beyond a float's range.
  float Evaluate(Expression expression, const MacroVariables& variables) const;

  /// Drops every expression; the storage stays for the next line.
  void Clear() { ops_.clear(); }

 private:
  struct Op {
    enum Kind : std::uint8_t {
      kConstant, kVariable, kNegate, kAdd, kSubtract, kMultiply, kDivide,
      kAbs, kFix, kFup, kRound, kSqrt, kSin, kCos, kTan, kAtan, kAtan2
    } kind;
    std::uint16_t variable = 0;
    double value = 0;
  };
  class Compiler;
  // The value of a one-operand function.
  static double Apply(Op::Kind kind, double value);
  // The range of the ops from `first` to the end, once compiled.
  Expression Since(std::size_t first, std::string_view text) const;

  std::vector<Op> ops_;
};

}  // namespace kovrel
