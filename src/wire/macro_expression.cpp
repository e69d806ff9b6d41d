// The macro expression compiler (recursive descent with a nesting cap) and
// the postfix evaluator.
#include "wire/macro_expression.h"

#include <array>
#include <string>

#include "core/append.h"
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void FailUnreadableExpression(std::string_view text) {
  FailWithText(FailureKind::kInvalidArgument, Joined("式が読めません: ", text));
}

class MacroExpression::Compiler {
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
      for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_) {
        if (number <= static_cast<long>(kMacroVariableCount)) number = number * 10 + (text_[pos_] - '0');
      }
      if (number >= static_cast<long>(kMacroVariableCount)) {
        Fail(FailureKind::kIndexOutOfRange, Joined("#", std::to_string(number)));
      }
      Emit({Op::kVariable, static_cast<std::uint16_t>(number)});
    } else if (IsDigit(c) || c == '.') {
      static constexpr ByteSet kNumber("0123456789.");
      const std::string_view digits = SpanOf(text_.substr(pos_), kNumber);
      pos_ += digits.size();
      Emit({Op::kConstant, 0, ReadNumber(digits)});
    } else {
      FailUnreadableExpression(text_);
    }
  }

 private:
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void SkipBlanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  void Emit(Op op) {
    ops_.push_back(op);
    height_ += op.kind == Op::kConstant || op.kind == Op::kVariable ? 1 : op.kind == Op::kNegate ? 0 : -1;
    if (height_ > static_cast<int>(kMaxStack)) FailUnreadableExpression(text_);
  }

  std::string_view text_;
  std::size_t& pos_;
  std::vector<Op>& ops_;
  int height_ = 0;
};

MacroExpression::MacroExpression(double value) { ops_.push_back({Op::kConstant, 0, value}); }

MacroExpression MacroExpression::Compile(std::string_view text, std::size_t& pos) {
  MacroExpression expression;
  expression.ops_.clear();
  Compiler compiler(text, pos, expression.ops_);
  compiler.Sum(0);
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return expression;
}

MacroExpression MacroExpression::CompileOperand(std::string_view text, std::size_t& pos) {
  MacroExpression expression;
  expression.ops_.clear();
  Compiler compiler(text, pos, expression.ops_);
  compiler.Operand(0);
  return expression;
}

float MacroExpression::Evaluate(const MacroVariables& variables) const {
  if (ops_.size() == 1 && ops_[0].kind == Op::kConstant) return ToSingle(ops_[0].value);
  std::array<double, kMaxStack + 1> stack;
  std::size_t height = 0;
  for (const Op& op : ops_) {
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
    }
  }
  return ToSingle(stack[0]);
}

}  // namespace kovrel
