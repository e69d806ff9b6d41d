// The custom-macro expander: each line compiled into a block (kept once a
// line runs a second time, so loops compile their lines once), an explicit
// stack of subprogram frames, and a label index per program for the jumps.
#include "wire/wire_macro.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/append.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "core/line_words.h"
#include "wire/macro_expression.h"

namespace kovrel {
namespace {

// Subprograms are followed this many levels deep; deeper calls are read as
// ordinary lines (and skipped, holding an M).
constexpr std::size_t kMaxLevel = 8;


// The characters of a label or variable number, and of a plain address
// value (tables made once, not for every line).
constexpr ByteSet kDigits("0123456789");
constexpr ByteSet kAddressCharacters("0123456789.-");

enum class Comparison { kEqual, kNotEqual, kGreater, kLess, kGreaterOrEqual, kLessOrEqual };

enum class BlockKind : std::uint8_t { kSkip, kCall, kG92, kAssign, kIf, kGoto, kMove };

// One line as the expander runs it.
struct Block {
  BlockKind kind = BlockKind::kSkip;
  // What every line but a skipped one, a call and G92 does first.
  bool store_x = false, store_y = false;  // #5041, #5042
  int mode = 0;                           // 90, 91, or 0 to keep
  int motion = -1;                        // 0 to 3, or -1 to keep
  bool g41 = false, g42 = false;
  // The addresses of a move (X, Y also of G92).
  std::optional<MacroExpression> x, y, i, j, t;
  bool g40 = false;
  // An assignment (value) or a condition (value, other).
  int target = -1;
  std::optional<MacroExpression> value, other;
  Comparison comparison = Comparison::kEqual;
  // A jump's label ("N" + digits) or a label computed from label_value;
  // a call's subprogram name.
  std::string name;
  std::optional<MacroExpression> label_value;
};

// Reads an address value: on a line holding "#" an operand ("#5", "-#1",
// "[#1+#2]", "5."), otherwise the characters among "0123456789.-" read as
// millimetres.
std::optional<MacroExpression> Address(const LineWords& words, char letter, bool macro) {
  if (!words.Holds(letter)) return std::nullopt;
  const std::string_view line = words.line();
  const std::size_t at = line.find(letter);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view after = line.substr(at + 1);
  if (macro) {
    std::size_t pos = 0;
    while (pos < after.size() && after[pos] == ' ') ++pos;
    const char c = pos < after.size() ? after[pos] : '\0';
    if (c == '#' || c == '[' || c == '-' || c == '+' || c == '.' || IsAsciiDigit(c)) {
      return MacroExpression::CompileOperand(after, pos);
    }
    return MacroExpression(0);
  }
  return MacroExpression(ReadNumber(SpanOf(after, kAddressCharacters)));
}

// The label after "GOTO": "N" + its digits, or an expression to compute.
void ReadLabel(std::string_view line, Block& block) {
  std::size_t pos = line.find("GOTO") + 4;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  const std::string_view digits = SpanOf(line.substr(pos), kDigits);
  if (!digits.empty()) {
    block.name = Joined("N", digits);
  } else if (pos < line.size() && (line[pos] == '#' || line[pos] == '[')) {
    block.label_value = MacroExpression::CompileOperand(line, pos);
  } else {
    FailWithText(FailureKind::kInvalidArgument, Joined("GOTO の後に飛び先の番号がありません: ", line));
  }
}

[[noreturn]] void FailUnreadableCondition(std::string_view line) {
  FailWithText(FailureKind::kInvalidArgument, Joined("IF が読めません: ", line));
}

// "IF [a op b] GOTO n" with op one of EQ, NE, GT, LT, GE, LE.
void ReadCondition(std::string_view line, Block& block) {
  static constexpr std::pair<std::string_view, Comparison> kComparisons[] = {
      {"EQ", Comparison::kEqual},   {"NE", Comparison::kNotEqual},       {"GT", Comparison::kGreater},
      {"LT", Comparison::kLess},    {"GE", Comparison::kGreaterOrEqual}, {"LE", Comparison::kLessOrEqual}};
  std::size_t pos = line.find("IF") + 2;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  if (pos >= line.size() || line[pos] != '[') FailUnreadableCondition(line);
  ++pos;
  block.value = MacroExpression::Compile(line, pos);
  const std::string_view word = line.substr(pos, 2);
  const auto found = std::find_if(std::begin(kComparisons), std::end(kComparisons),
                                  [word](const auto& entry) { return entry.first == word; });
  if (found == std::end(kComparisons)) FailUnreadableCondition(line);
  block.comparison = found->second;
  pos += 2;
  block.other = MacroExpression::Compile(line, pos);
  if (pos >= line.size() || line[pos] != ']' || line.find("GOTO", pos) == std::string_view::npos) {
    FailUnreadableCondition(line);
  }
  ReadLabel(line.substr(pos), block);
}

// "#t=expression"; a line whose left side names no variable does nothing.
void ReadAssignment(std::string_view line, Block& block) {
  const std::size_t equals = line.find('=');
  const std::string_view left = line.substr(0, equals);
  const std::size_t hash = left.find('#');
  if (hash == std::string_view::npos) return;
  const std::string_view digits = SpanOf(left.substr(hash + 1), kDigits);
  if (digits.empty() || !TrimBlanks(left.substr(hash + 1 + digits.size())).empty()) FailUnreadableExpression(line);
  const double number = ReadNumber(digits);
  if (number >= static_cast<double>(kMacroVariableCount)) Fail(FailureKind::kIndexOutOfRange, Joined("#", digits));
  block.target = static_cast<int>(number);
  std::size_t pos = equals + 1;
  block.value = MacroExpression::Compile(line, pos);
  if (pos < line.size()) FailUnreadableExpression(line);
}

Block CompileBlock(std::string_view line) {
  Block block;
  const LineWords words(line);
  if (line.starts_with("M98P")) {
    block.kind = BlockKind::kCall;
    block.name = Joined("O", TrimBlanks(line.substr(4)));
    return block;
  }
  if (words.Has("%") || words.Has("(") || words.Has("G04") || words.Has("M")) return block;
  const bool macro = words.Has("#");
  if (words.Has("G92")) {
    block.kind = BlockKind::kG92;
    block.x = Address(words, 'X', macro);
    block.y = Address(words, 'Y', macro);
    return block;
  }
  block.store_x = words.Has("#5041");
  block.store_y = words.Has("#5042");
  if (words.Has("G90")) block.mode = 90;
  if (words.Has("G91")) block.mode = 91;
  for (int g = 0; g < 4; ++g) {
    if (words.Has(std::string_view("G00G01G02G03").substr(static_cast<std::size_t>(g) * 3, 3))) block.motion = g;
  }
  block.g41 = words.Has("G41");
  block.g42 = words.Has("G42");
  if (words.Has("=")) {
    block.kind = BlockKind::kAssign;
    ReadAssignment(line, block);
  } else if (words.Has("IF")) {
    block.kind = BlockKind::kIf;
    ReadCondition(line, block);
  } else if (words.Has("GOTO")) {
    block.kind = BlockKind::kGoto;
    ReadLabel(line, block);
  } else {
    block.kind = BlockKind::kMove;
    block.x = Address(words, 'X', macro);
    block.y = Address(words, 'Y', macro);
    block.i = Address(words, 'I', macro);
    block.j = Address(words, 'J', macro);
    if (words.Has("G5")) block.t = Address(words, 'T', macro);
    block.g40 = words.Has("G40");
  }
  return block;
}

// The lines of `text` as SplitLines gives them, in a vector of exactly
// their number: a long program's list of lines is as large as its text,
// and growing it step by step would hold it one and a half times over.
std::vector<std::string_view> ProgramLines(std::string_view text) {
  std::size_t count = 0;
  LineReader counter(text);
  std::string_view line;
  while (counter.Next(line)) ++count;
  std::vector<std::string_view> lines;
  lines.reserve(count);
  LineReader reader(text);
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

// A main program or subprogram: its lines, the blocks of the lines run
// more than once, and the lines each label stands on.
struct Program {
  explicit Program(std::string_view text) : lines(ProgramLines(text)), compiled(lines.size(), 0) {}

  // The block of line `index`: compiled on its first run, and kept from
  // its second run on.
  const Block& BlockAt(std::size_t index, Block& scratch) {
    std::uint32_t& slot = compiled[index];
    if (slot > 1) return blocks[slot - 2];
    Block block = CompileBlock(lines[index]);
    if (slot == 0) {
      slot = 1;  // run once
      scratch = std::move(block);
      return scratch;
    }
    blocks.push_back(std::move(block));
    slot = static_cast<std::uint32_t>(blocks.size() + 1);
    return blocks.back();
  }

  // The line of `label` searched from `from` to the end, then from the start.
  std::optional<std::size_t> Find(const std::string& label, std::size_t from) {
    if (!labels) IndexLabels();
    const auto found = labels->find(label);
    if (found == labels->end()) return std::nullopt;
    const std::vector<std::size_t>& at = found->second;
    const auto next = std::lower_bound(at.begin(), at.end(), from);
    return next != at.end() ? *next : at.front();
  }

  // Every "N" followed by digits is a label up to its last digit, so
  // "N10" is not found by a jump to "N1".
  void IndexLabels() {
    labels.emplace();
    for (std::size_t index = 0; index < lines.size(); ++index) {
      const std::string_view line = lines[index];
      for (std::size_t n = line.find('N'); n != std::string_view::npos; n = line.find('N', n + 1)) {
        const std::string_view digits = SpanOf(line.substr(n + 1), kDigits);
        if (digits.empty()) continue;
        std::vector<std::size_t>& at = (*labels)[Joined("N", digits)];
        if (at.empty() || at.back() != index) at.push_back(index);
      }
    }
  }

  std::vector<std::string_view> lines;
  std::vector<std::uint32_t> compiled;  // 0 never run, 1 run once, else index + 2 in blocks
  std::vector<Block> blocks;
  std::optional<std::unordered_map<std::string, std::vector<std::size_t>>> labels;
};

bool Holds(float a, Comparison comparison, float b) {
  switch (comparison) {
    case Comparison::kEqual: return a == b;
    case Comparison::kNotEqual: return a != b;
    case Comparison::kGreater: return a > b;
    case Comparison::kLess: return a < b;
    case Comparison::kGreaterOrEqual: return a >= b;
    case Comparison::kLessOrEqual: return a <= b;
  }
  return false;
}

class Expander {
 public:
  Expander(const SubprogramSource& subprograms, const WireMacroOptions& options, TextOutput& out)
      : subprograms_(subprograms), options_(options), out_(out), variables_(kMacroVariableCount, 0.0f) {}

  WireExpansion Run(std::string_view text);

 private:
  struct Frame {
    Program* program;
    std::size_t next;
  };

  // Runs one block of a frame; false when the expansion stops.
  bool Execute(const Block& block, Frame& frame, std::size_t index);
  Program* Subprogram(const std::string& name);
  void Write(const char* word, bool arc, float i, float j);

  const SubprogramSource& subprograms_;
  const WireMacroOptions& options_;
  TextOutput& out_;  // the expanded program as it is written
  MacroVariables variables_;
  // The subprograms read so far: the text, and the program over it.
  struct Loaded {
    std::string text;
    std::unique_ptr<Program> program;
  };
  std::map<std::string, Loaded> loaded_;
  std::vector<Frame> frames_;
  WireExpansion result_;
  float x_ = 0, y_ = 0;
  float offset_x_ = 0, offset_y_ = 0;  // where G92 was given minus its value
  bool incremental_ = false;
  int motion_ = -1;
};

WireExpansion Expander::Run(std::string_view text) {
  out_.text += "G40\r\nG00X0Y0\r\n";
  Program main(text);
  frames_.push_back({&main, 0});
  std::int64_t blocks = 0;
  Block scratch;
  while (!frames_.empty()) {
    Frame& frame = frames_.back();
    if (frame.next >= frame.program->lines.size()) {
      frames_.pop_back();
      continue;
    }
    if (++blocks > options_.block_limit) {
      FailWithText(FailureKind::kOverflow, Joined("実行したブロックが ", std::to_string(options_.block_limit),
                                                  " を超えたので展開を止めました（終わらないループではありませんか）"));
    }
    const std::size_t index = frame.next++;
    if (!Execute(frame.program->BlockAt(index, scratch), frame, index)) break;
    out_.Pass();
  }
  return std::move(result_);
}

Program* Expander::Subprogram(const std::string& name) {
  if (!FileNameProblem(name).empty()) {
    FailWithText(FailureKind::kInvalidArgument, Joined("SUB フォルダーの外を指すサブプログラム名は使えません: ", name));
  }
  auto found = loaded_.find(name);
  if (found != loaded_.end()) return found->second.program.get();
  std::optional<std::string> text = subprograms_(name);
  if (!text) return nullptr;
  Loaded& loaded = loaded_[name];  // the map's node keeps the text in place for the lines
  loaded.text = std::move(*text);
  loaded.program = std::make_unique<Program>(loaded.text);
  return loaded.program.get();
}

void Expander::Write(const char* word, bool arc, float i, float j) {
  if (arc) {
    AppendLine(out_.text, word, "X", FormatCoordinate(x_), "Y", FormatCoordinate(y_), "I", FormatCoordinate(i), "J",
               FormatCoordinate(j));
  } else {
    AppendLine(out_.text, word, "X", FormatCoordinate(x_), "Y", FormatCoordinate(y_));
  }
  ++result_.moves;
}

bool Expander::Execute(const Block& block, Frame& frame, std::size_t index) {
  std::string& out = out_.text;
  switch (block.kind) {
    case BlockKind::kSkip: return true;
    case BlockKind::kCall: {
      if (frames_.size() > kMaxLevel) return true;  // the deepest level reads the call as an ordinary line
      const std::string name = block.name;
      Program* sub = Subprogram(name);
      if (sub == nullptr) {
        result_.stopped = name + "が登録されていません";
        return false;
      }
      frames_.push_back({sub, 0});  // `frame` and `block` are not used after this
      return true;
    }
    case BlockKind::kG92:
      AppendLine(out, "G40");
      if (block.x) offset_x_ = ToSingle(static_cast<double>(x_) - block.x->Evaluate(variables_));
      if (block.y) offset_y_ = ToSingle(static_cast<double>(y_) - block.y->Evaluate(variables_));
      return true;
    default: break;
  }
  if (block.store_x) variables_[5041] = x_;
  if (block.store_y) variables_[5042] = y_;
  if (block.mode != 0) incremental_ = block.mode == 91;
  if (block.motion >= 0) motion_ = block.motion;
  if (block.g41) AppendLine(out, "G41");
  if (block.g42) AppendLine(out, "G42");

  switch (block.kind) {
    case BlockKind::kAssign:
      if (block.target >= 0) variables_[static_cast<std::size_t>(block.target)] = block.value->Evaluate(variables_);
      return true;
    case BlockKind::kIf:
      if (!Holds(block.value->Evaluate(variables_), block.comparison, block.other->Evaluate(variables_))) return true;
      break;
    case BlockKind::kGoto: break;
    default: {
      const auto axis = [this](const std::optional<MacroExpression>& address, float& value, float offset) {
        if (!address) return;
        const double read = address->Evaluate(variables_);
        value = ToSingle(incremental_ ? value + read : read + offset);
      };
      axis(block.x, x_, offset_x_);
      axis(block.y, y_, offset_y_);
      if (!block.x && !block.y) return true;
      if (block.t) {
        const float tool = block.t->Evaluate(variables_);
        if (tool != 0) AppendLine(out, "T", FormatCoordinate(tool));
      }
      if (block.g40) AppendLine(out, "G40");
      if (motion_ < 0) return true;  // no motion word yet
      static constexpr const char* kWords[] = {"G00", "G01", "G02", "G03"};
      const float i = block.i ? block.i->Evaluate(variables_) : 0.0f;
      const float j = block.j ? block.j->Evaluate(variables_) : 0.0f;
      Write(kWords[motion_], motion_ >= 2, i, j);
      return true;
    }
  }
  // A jump: the label's line after this one, else from the start.
  const std::string label = block.label_value ? Joined("N", std::to_string(ToInteger(block.label_value->Evaluate(variables_)))) : block.name;
  const std::optional<std::size_t> target = frame.program->Find(label, index + 1);
  if (!target) {
    result_.stopped = label + " が見つかりませんでした";
    return false;
  }
  frame.next = *target;
  return true;
}

}  // namespace

SubprogramSource SubprogramFolder(std::string folder) {
  return [folder = std::move(folder)](const std::string& name) -> std::optional<std::string> {
    const std::string path = WorkPath(folder, name);
    if (!FileExists(path)) return std::nullopt;
    return ConversionInput(ReadFileBytes(path), InputLineEnds::kAsLineBreaks);
  };
}

WireExpansion ExpandWireMacro(std::string_view program, const SubprogramSource& subprograms,
                              const WireMacroOptions& options, TextOutput& out) {
  return Expander(subprograms, options, out).Run(program);
}

WireExpansion ExpandWireMacro(std::string_view program, const SubprogramSource& subprograms,
                              const WireMacroOptions& options) {
  TextOutput out;
  out.text.reserve(program.size() + program.size() / 2 + 16);
  WireExpansion expansion = ExpandWireMacro(program, subprograms, options, out);
  expansion.text = std::move(out.text);
  return expansion;
}

ConversionResult FanucWire(std::string_view program, const SubprogramSource& subprograms,
                           const WireMacroOptions& options, TextOutput& out) {
  // A stopped expansion has written part of the program: the caller drops
  // it with the result that says nothing was converted.
  WireExpansion expansion = ExpandWireMacro(program, subprograms, options, out);
  if (!expansion.stopped.empty()) {
    ConversionResult result = ConversionResult::NothingToConvert();
    result.message = std::move(expansion.stopped);
    return result;
  }
  return ConversionResult(std::string());
}

ConversionResult FanucWire(std::string_view program, const SubprogramSource& subprograms,
                           const WireMacroOptions& options) {
  TextOutput out;
  ConversionResult result = FanucWire(program, subprograms, options, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

}  // namespace kovrel
