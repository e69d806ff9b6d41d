// The macro expression compiler (recursive descent with a nesting cap) and
// the postfix evaluator.
#include "wire/macro_expression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// Brackets and signs nest at most this deep, so that neither the compiler
// nor the evaluator's stack can be exhausted by the input.
constexpr int kMaxNesting = 24;
constexpr std::size_t kMaxStack = 2 * kMaxNesting + 4;


double Radians(double degrees) { return degrees * kPi / 180; }
double Degrees(double radians) { return radians * 180 / kPi; }

}  // namespace

void FailUnreadableExpression(std::string_view text) {
  FailWithText(FailureKind::kInvalidArgument, Joined("式が読めません: ", text));
}

class MacroCode::Compiler {
 public:
  Compiler(std::string_view text, std::size_t& pos, std::vector<Op>& ops) : text_(text), pos_(pos), ops_(ops) {}

  void Sum(int depth) {
    Product(depth);
    for (;;) {
      SkipBlanks();
      const char c = Peek();
      if (c != '+' && c != '-') return;
      ++pos_;
      Product(depth);
      Emit({c == '+' ? Op::kAdd : Op::kSubtract});
    }
  }

  void Product(int depth) {
    Operand(depth);
    for (;;) {
      SkipBlanks();
      const char c = Peek();
      if (c != '*' && c != '/') return;
      ++pos_;
      Operand(depth);
      Emit({c == '*' ? Op::kMultiply : Op::kDivide});
    }
  }

  // A signed number, variable or bracket.
  void Operand(int depth) {
    if (depth > kMaxNesting) FailUnreadableExpression(text_);
    SkipBlanks();
    const char c = Peek();
    if (c == '-' || c == '+') {
      ++pos_;
      Operand(depth + 1);
      if (c == '-') Emit({Op::kNegate});
    } else if (c == '[') {
      ++pos_;
      Sum(depth + 1);
      SkipBlanks();
      if (Peek() != ']') FailUnreadableExpression(text_);
      ++pos_;
    } else if (c == '#') {
      ++pos_;
      long number = 0;
      for (; pos_ < text_.size() && IsAsciiDigit(text_[pos_]); ++pos_) {
        if (number <= static_cast<long>(kMacroVariableCount)) number = number * 10 + (text_[pos_] - '0');
      }
      if (number >= static_cast<long>(kMacroVariableCount)) {
        Fail(FailureKind::kIndexOutOfRange, Joined("#", std::to_string(number)));
      }
      Emit({Op::kVariable, static_cast<std::uint16_t>(number)});
    } else if (IsAsciiDigit(c) || c == '.') {
      static constexpr ByteSet kNumber("0123456789.");
      const std::string_view digits = SpanOf(text_.substr(pos_), kNumber);
      pos_ += digits.size();
      Emit({Op::kConstant, 0, ReadNumber(digits)});
    } else if (c >= 'A' && c <= 'Z') {
      Function(depth);
    } else {
      FailUnreadableExpression(text_);
    }
  }

  // NAME[expression], or ATAN[a]/[b].
  void Function(int depth) {
    static constexpr std::pair<std::string_view, Op::Kind> kFunctions[] = {
        {"ABS", Op::kAbs}, {"FIX", Op::kFix}, {"FUP", Op::kFup}, {"ROUND", Op::kRound}, {"SQRT", Op::kSqrt},
        {"SIN", Op::kSin}, {"COS", Op::kCos}, {"TAN", Op::kTan}, {"ATAN", Op::kAtan}};
    const std::string_view name = SpanOf(text_.substr(pos_), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const auto* found = std::find_if(std::begin(kFunctions), std::end(kFunctions),
                                     [name](const auto& function) { return function.first == name; });
    if (found == std::end(kFunctions)) FailUnreadableExpression(text_);
    pos_ += name.size();
    Bracket(depth);
    Op::Kind kind = found->second;
    if (kind == Op::kAtan && text_.substr(pos_).starts_with("/[")) {
      ++pos_;
      Bracket(depth);
      kind = Op::kAtan2;
    }
    Emit({kind});
  }

  void Bracket(int depth) {
    SkipBlanks();
    if (Peek() != '[') FailUnreadableExpression(text_);
    ++pos_;
    Sum(depth + 1);
    SkipBlanks();
    if (Peek() != ']') FailUnreadableExpression(text_);
    ++pos_;
  }

 private:
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  void Emit(Op op) {
    ops_.push_back(op);
    // Constants and variables push a value, the two-operand operations and
    // ATAN[a]/[b] take one off, the others keep the height.
    const bool push = op.kind == Op::kConstant || op.kind == Op::kVariable;
    const bool binary = (op.kind >= Op::kAdd && op.kind <= Op::kDivide) || op.kind == Op::kAtan2;
    height_ += push ? 1 : binary ? -1 : 0;
    if (height_ > static_cast<int>(kMaxStack)) FailUnreadableExpression(text_);
  }

  std::string_view text_;
  std::size_t& pos_;
  std::vector<Op>& ops_;
  int height_ = 0;
};

MacroCode::Expression MacroCode::Since(std::size_t first, std::string_view text) const {
  // A line longer than the range can count cannot be compiled whole.
  if (ops_.size() - first > UINT32_MAX || first > UINT32_MAX) FailUnreadableExpression(text);
  return {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(ops_.size() - first)};
}

MacroCode::Expression MacroCode::Constant(double value) {
  const std::size_t first = ops_.size();
  ops_.push_back({Op::kConstant, 0, value});
  return Since(first, {});
}

MacroCode::Expression MacroCode::Compile(std::string_view text, std::size_t& pos) {
  const std::size_t first = ops_.size();
  Compiler compiler(text, pos, ops_);
  compiler.Sum(0);
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return Since(first, text);
}

MacroCode::Expression MacroCode::CompileOperand(std::string_view text, std::size_t& pos) {
  const std::size_t first = ops_.size();
  Compiler compiler(text, pos, ops_);
  compiler.Operand(0);
  return Since(first, text);
}

double MacroCode::Apply(Op::Kind kind, double value) {
  switch (kind) {
    case Op::kAbs: return std::fabs(value);
    case Op::kFix: return std::trunc(value);  // fractions dropped, toward zero
    case Op::kFup: return value >= 0 ? std::ceil(value) : std::floor(value);  // away from zero
    case Op::kRound: return std::round(value);  // a half away from zero, as a machine rounds
    case Op::kSqrt:
      if (value < 0) FailWithText(FailureKind::kInvalidArgument, Joined("負の数の SQRT です: ", FormatGeneral(value)));
      return std::sqrt(value);
    case Op::kSin: return std::sin(Radians(value));
    case Op::kCos: return std::cos(Radians(value));
    case Op::kTan: return std::tan(Radians(value));
    case Op::kAtan: return Degrees(std::atan(value));
    default: return value;
  }
}

float MacroCode::Evaluate(Expression expression, const MacroVariables& variables) const {
  const Op* const begin = ops_.data() + expression.first;
  const Op* const end = begin + expression.count;
  if (expression.count == 1) {
    if (begin->kind == Op::kConstant) return ToSingle(begin->value);
    // A variable holds a float that ToSingle gave: it is its own value.
    if (begin->kind == Op::kVariable) return variables[begin->variable];
  }
  // Two operands and one of + - * / ("[#1+5.]", "[#2-#3]"): the same
  // arithmetic without the stack, whose dispatch no processor predicts.
  const auto operand = [&variables](const Op& op) -> double {
    return op.kind == Op::kConstant ? op.value : static_cast<double>(variables[op.variable]);
  };
  const auto pushes = [](const Op& op) { return op.kind == Op::kConstant || op.kind == Op::kVariable; };
  if (expression.count == 3 && pushes(begin[0]) && pushes(begin[1])) {
    const double a = operand(begin[0]), b = operand(begin[1]);
    switch (begin[2].kind) {
      case Op::kAdd: return ToSingle(a + b);
      case Op::kSubtract: return ToSingle(a - b);
      case Op::kMultiply: return ToSingle(a * b);
      case Op::kDivide:
        if (b == 0) Fail(FailureKind::kDivisionByZero);
        return ToSingle(a / b);
      default: break;
    }
  }
  std::array<double, kMaxStack + 1> stack;
  std::size_t height = 0;
  for (const Op* at = begin; at != end; ++at) {
    const Op& op = *at;
    switch (op.kind) {
      case Op::kConstant: stack[height++] = op.value; break;
      case Op::kVariable: stack[height++] = variables[op.variable]; break;
      case Op::kNegate: stack[height - 1] = -stack[height - 1]; break;
      case Op::kAdd: --height, stack[height - 1] += stack[height]; break;
      case Op::kSubtract: --height, stack[height - 1] -= stack[height]; break;
      case Op::kMultiply: --height, stack[height - 1] *= stack[height]; break;
      case Op::kDivide:
        --height;
        if (stack[height] == 0) Fail(FailureKind::kDivisionByZero);
        stack[height - 1] /= stack[height];
        break;
      case Op::kAtan2:
        --height;
        stack[height - 1] = Degrees(std::atan2(stack[height - 1], stack[height]));
        if (stack[height - 1] < 0) stack[height - 1] += 360;
        break;
      default: stack[height - 1] = Apply(op.kind, stack[height - 1]); break;
    }
  }
  return ToSingle(stack[0]);
}

}  // namespace kovrel
