// The custom-macro expander: each line compiled into a block (kept in a
// small table, so loops compile their lines once), an explicit stack of
// subprogram frames, and a label index per program for the jumps.
#include "wire/wire_macro.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "core/append.h"
#include "core/byte_scan.h"
#include "core/cp932.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "core/line_words.h"
#include "wire/macro_expression.h"
#include "wire/wire_numbers.h"

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
  // The addresses of a move (X, Y also of G92); empty where the line has none.
  MacroCode::Expression x, y, i, j, t;
  bool g40 = false;
  // An assignment (value) or a condition (value, other).
  int target = -1;
  MacroCode::Expression value, other;
  Comparison comparison = Comparison::kEqual;
  // A jump's label digits, or a label computed from label_value; a call's
  // subprogram name without its "O". Views into the program text.
  std::string_view name;
  MacroCode::Expression label_value;
  // The code of the expressions above.
  MacroCode code;

  // A block for another line: everything as new but the code's storage.
  void Reset() {
    MacroCode kept = std::move(code);
    kept.Clear();
    *this = Block();
    code = std::move(kept);
  }
};

// Reads an address value: on a line holding "#" an operand ("#5", "-#1",
// "[#1+#2]", "5."), otherwise the characters among "0123456789.-" read as
// millimetres.
MacroCode::Expression Address(const LineWords& words, char letter, bool macro, MacroCode& code,
                              CoordinateTexts& texts) {
  if (!words.Holds(letter)) return {};
  const std::string_view line = words.line();
  const std::size_t at = line.find(letter);
  if (at == std::string_view::npos) return {};
  const std::string_view after = line.substr(at + 1);
  if (macro) {
    std::size_t pos = 0;
    while (pos < after.size() && after[pos] == ' ') ++pos;
    const char c = pos < after.size() ? after[pos] : '\0';
    if (c == '#' || c == '[' || c == '-' || c == '+' || c == '.' || IsAsciiDigit(c)) {
      return code.CompileOperand(after, pos);
    }
    return code.Constant(0);
  }
  const std::string_view number = SpanOf(after, kAddressCharacters);
  double value = 0;
  return code.Constant(texts.Keep(number, value) ? value : ReadNumber(number));
}

// The label after "GOTO": "N" + its digits, or an expression to compute.
void ReadLabel(std::string_view line, Block& block) {
  std::size_t pos = line.find("GOTO") + 4;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  const std::string_view digits = SpanOf(line.substr(pos), kDigits);
  if (!digits.empty()) {
    block.name = digits;
  } else if (pos < line.size() && (line[pos] == '#' || line[pos] == '[')) {
    block.label_value = block.code.CompileOperand(line, pos);
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
  block.value = block.code.Compile(line, pos);
  const std::string_view word = line.substr(pos, 2);
  const auto found = std::find_if(std::begin(kComparisons), std::end(kComparisons),
                                  [word](const auto& entry) { return entry.first == word; });
  if (found == std::end(kComparisons)) FailUnreadableCondition(line);
  block.comparison = found->second;
  pos += 2;
  block.other = block.code.Compile(line, pos);
  if (pos >= line.size() || line[pos] != ']' || line.find("GOTO", pos) == std::string_view::npos) {
    FailUnreadableCondition(line);
  }
  ReadLabel(line.substr(pos), block);
}

// "#t=expression"; a line whose left side names no variable does nothing.
void ReadAssignment(std::string_view line, Block& block, CoordinateTexts& texts) {
  const std::size_t equals = line.find('=');
  const std::string_view left = line.substr(0, equals);
  const std::size_t hash = left.find('#');
  if (hash == std::string_view::npos) return;
  const std::string_view digits = SpanOf(left.substr(hash + 1), kDigits);
  if (digits.empty() || !TrimBlanks(left.substr(hash + 1 + digits.size())).empty()) FailUnreadableExpression(line);
  const double number = ReadNumber(digits);
  if (number >= static_cast<double>(kMacroVariableCount)) Fail(FailureKind::kIndexOutOfRange, Joined("#", digits));
  block.target = static_cast<int>(number);
  // "#1=12.5": a plain decimal is its own value (and X#1 writes its text).
  double value = 0;
  if (texts.Keep(TrimBlanks(line.substr(equals + 1)), value)) {
    block.value = block.code.Constant(value);
    return;
  }
  std::size_t pos = equals + 1;
  block.value = block.code.Compile(line, pos);
  if (pos < line.size()) FailUnreadableExpression(line);
}

// "#1=12.5" and nothing else, the most common line of a macro program,
// compiled without looking for the words of other lines (it holds none
// of them: #5041 and #5042, which a line stores, are left to the general
// reading). False for any other line.
bool CompilePlainAssignment(std::string_view line, Block& block, CoordinateTexts& texts) {
  if (line.size() < 4 || line[0] != '#' || line.starts_with("#5041") || line.starts_with("#5042")) return false;
  std::size_t pos = 1;
  int target = 0;
  for (; pos < line.size() && pos <= 4 && IsAsciiDigit(line[pos]); ++pos) target = target * 10 + (line[pos] - '0');
  if (pos == 1 || pos >= line.size() || line[pos] != '=' || target >= static_cast<int>(kMacroVariableCount)) {
    return false;
  }
  double value = 0;
  if (!texts.Keep(line.substr(pos + 1), value)) return false;
  block.kind = BlockKind::kAssign;
  block.target = target;
  block.value = block.code.Constant(value);
  return true;
}

// "G01X12.5Y-3.25" (G00 to G03, X and Y plain decimals) and nothing else:
// a move of a program written out by CAM, compiled without looking for
// the words of other lines. False for any other line ("+" is no character
// of an address value: left to the general reading).
bool CompilePlainMove(std::string_view line, Block& block, CoordinateTexts& texts) {
  if (line.size() < 8 || line[0] != 'G' || line[1] != '0' || line[2] < '0' || line[2] > '3' || line[3] != 'X') {
    return false;
  }
  const std::size_t y = line.find('Y', 4);
  if (y == std::string_view::npos || y + 1 >= line.size() || line[4] == '+' || line[y + 1] == '+') return false;
  double x_value = 0, y_value = 0;
  if (!texts.Keep(line.substr(4, y - 4), x_value) || !texts.Keep(line.substr(y + 1), y_value)) return false;
  block.kind = BlockKind::kMove;
  block.motion = line[2] - '0';
  block.x = block.code.Constant(x_value);
  block.y = block.code.Constant(y_value);
  return true;
}

// Compiles `line` into `block` (made new by Reset). The plain decimals the
// line gives values keep their texts in `texts` for the lines that write them.
void CompileBlock(std::string_view line, Block& block, CoordinateTexts& texts) {
  if (CompilePlainAssignment(line, block, texts) || CompilePlainMove(line, block, texts)) return;
  const LineWords words(line);
  if (!line.empty() && line[0] == 'M' && line.starts_with("M98P")) {
    block.kind = BlockKind::kCall;
    block.name = TrimBlanks(line.substr(4));
    return;
  }
  if (words.Has("%") || words.Has("(") || words.Has("G04") || words.Has("M")) return;
  const bool macro = words.Has("#");
  MacroCode& code = block.code;
  if (words.Has("G92")) {
    block.kind = BlockKind::kG92;
    block.x = Address(words, 'X', macro, code, texts);
    block.y = Address(words, 'Y', macro, code, texts);
    return;
  }
  block.store_x = words.Has("#5041");
  block.store_y = words.Has("#5042");
  if (words.Has("G90")) block.mode = 90;
  if (words.Has("G91")) block.mode = 91;
  for (int g = 0; g < 4; ++g) {
    if (words.HasG(g)) block.motion = g;
  }
  block.g41 = words.Has("G41");
  block.g42 = words.Has("G42");
  if (words.Has("=")) {
    block.kind = BlockKind::kAssign;
    ReadAssignment(line, block, texts);
  } else if (words.Has("IF")) {
    block.kind = BlockKind::kIf;
    ReadCondition(line, block);
  } else if (words.Has("GOTO")) {
    block.kind = BlockKind::kGoto;
    ReadLabel(line, block);
  } else {
    block.kind = BlockKind::kMove;
    block.x = Address(words, 'X', macro, code, texts);
    block.y = Address(words, 'Y', macro, code, texts);
    block.i = Address(words, 'I', macro, code, texts);
    block.j = Address(words, 'J', macro, code, texts);
    if (words.Has("G5")) block.t = Address(words, 'T', macro, code, texts);
    block.g40 = words.Has("G40");
  }
}

// A main program or subprogram: its text, the blocks of the lines run
// lately, and where each label stands. The lines are read from the text as
// they run (a list of them would be as large as the text). A block is kept
// in a small table by the text of its line: a loop compiles its lines once,
// and so does a program whose lines repeat ("G01X[#1+5.]Y#2" for every
// opening), while the table never grows however long the program is. A
// program of CP932 bytes (the main program from a file) has each line that
// holds a byte above ASCII decoded on its own.
class Program {
 public:
  Program(std::string_view text, ProgramForm form, CoordinateTexts& texts)
      : text_(text), cp932_(form == ProgramForm::kCp932), texts_(texts) {}

  std::string_view text() const { return text_; }

  // The block of the line at `at` (the start of a line), and in `next`
  // where the line after it begins. A line run lately is known by its place
  // (a loop's lines are neither read again nor looked up by their text).
  const Block& BlockAt(std::size_t at, std::size_t& next) {
    if (slots_.empty()) Allocate();
    Known& known = known_[(at >> 2) & (known_.size() - 1)];
    if (known.at == at && slots_[known.slot].generation == known.generation) {
      next = known.next;
      return slots_[known.slot].block;
    }
    const std::size_t slot = SlotOf(LineAt(at, next));
    known = {at, next, slot, slots_[slot].generation};
    return slots_[slot].block;
  }

  // The place of the first line from `from` on that holds the label
  // "N" + `digits`, else the first such line from the start.
  std::optional<std::size_t> Find(std::string_view digits, std::size_t from) {
    if (!indexed_) IndexLabels();
    if (digits.empty() || SpanOf(digits, kDigits).size() != digits.size()) return std::nullopt;  // "-5"
    const std::uint32_t key = KeyOf(digits);
    const auto first = std::partition_point(labels_.begin(), labels_.end(),
                                            [&](const Label& label) { return Order(label, key, digits) < 0; });
    const auto last = std::partition_point(first, labels_.end(),
                                           [&](const Label& label) { return Order(label, key, digits) == 0; });
    if (first == last) return std::nullopt;
    const auto next = std::partition_point(first, last, [&](const Label& label) { return LineOf(label) < from; });
    return LineOf(next != last ? *next : *first);
  }

 private:
  static constexpr std::size_t kMaxSlots = 1024;

  struct Slot {
    std::string_view line;  // as the text holds it
    Block block;            // the block of `line` while the slot's tag is set
    std::string decoded;    // the line decoded, when it had to be
    std::uint64_t generation = 0;  // counts the lines compiled into the slot
  };

  // A line's place, where the next begins, and the slot its block was in.
  struct Known {
    std::size_t at = std::string_view::npos;
    std::size_t next = 0;
    std::size_t slot = 0;
    std::uint64_t generation = 0;  // the slot's when it held the line's block
  };

  void Allocate() {
    // Room for the lines of a loop, fewer for a short subprogram.
    std::size_t count = 64;
    while (count < kMaxSlots && count * 16 < text_.size()) count *= 2;
    slots_.resize(count);
    tags_.resize(count);
    recent_.resize(count / 2);
    known_.resize(count);
  }

  // The line at `at` (the start of a line) and where the next begins: a CR
  // LF or a lone CR ends it, in a file's bytes a lone LF too.
  std::string_view LineAt(std::size_t at, std::size_t& next) const {
    const std::size_t end = cp932_ ? LineEndOfBytes(at) : text_.find('\r', at);
    if (end == std::string_view::npos) {
      next = text_.size();
      return text_.substr(at);
    }
    next = end + 1;
    if (text_[end] == '\r' && next < text_.size() && text_[next] == '\n') ++next;
    return text_.substr(at, end - at);
  }

  // The first CR or LF of the bytes from `at`, or npos: the control bytes
  // up to CR found eight at a time by one mark, the others (a tab) passed.
  std::size_t LineEndOfBytes(std::size_t at) const {
    std::size_t end = FindControlOrAnyOf<'\r' + 1>(text_, at);
    while (end != std::string_view::npos && text_[end] != '\r' && text_[end] != '\n') {
      end = FindControlOrAnyOf<'\r' + 1>(text_, end + 1);
    }
    return end;
  }

  // The slot holding the block of `line`, compiled there when none does.
  std::size_t SlotOf(std::string_view line) {
    // A line may stand in either slot of a pair, so that two lines of a
    // loop that land on one slot both stay. The tags are looked at first:
    // they fit the fastest cache, the slots do not.
    const std::uint64_t hash = LineHash(line);
    const std::size_t pair = (hash & (slots_.size() - 1)) >> 1;
    const auto tag = static_cast<std::uint32_t>(hash >> 32) | 1;
    for (std::size_t index = 2 * pair; index < 2 * pair + 2; ++index) {
      if (tags_[index] == tag && SameBytes(slots_[index].line, line)) {
        recent_[pair] = static_cast<std::uint8_t>(index & 1);
        return index;
      }
    }
    // The slot of the pair not used last takes the line.
    const std::size_t index = 2 * pair + (recent_[pair] ^ 1u);
    Slot& slot = slots_[index];
    tags_[index] = 0;  // a failed compile leaves no block behind
    ++slot.generation;
    slot.block.Reset();
    slot.line = line;  // the bytes stay in the text while the program runs
    if (cp932_ && !IsAscii(line)) {
      slot.decoded = DecodeCp932(line);  // the block's names point into it
      line = slot.decoded;
    }
    CompileBlock(line, slot.block, texts_);
    tags_[index] = tag;
    recent_[pair] = static_cast<std::uint8_t>(index & 1);
    return index;
  }

  // True when `a` and `b` hold the same bytes, compared eight at a time.
  static bool SameBytes(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    std::size_t k = 0;
    for (; k + 8 <= a.size(); k += 8) {
      if (byte_scan::Load(a.data() + k) != byte_scan::Load(b.data() + k)) return false;
    }
    for (; k < a.size(); ++k) {
      if (a[k] != b[k]) return false;
    }
    return true;
  }

  // A hash of a line's bytes, eight at a time.
  static std::uint64_t LineHash(std::string_view line) {
    constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
    std::uint64_t hash = line.size() * kMultiplier;
    std::size_t k = 0;
    for (; k + 8 <= line.size(); k += 8) hash = (hash ^ byte_scan::Load(line.data() + k)) * kMultiplier;
    // The bytes left: in a line of eight or more, those of its last eight
    // not hashed yet.
    std::uint64_t tail = 0;
    if (k < line.size() && line.size() >= 8) {
      tail = byte_scan::Load(line.data() + line.size() - 8) >> (8 * (8 - (line.size() - k)));
    } else {
      for (; k < line.size(); ++k) tail = tail << 8 | static_cast<unsigned char>(line[k]);
    }
    hash = (hash ^ tail) * kMultiplier;
    return hash ^ (hash >> 29);
  }

  // A label in eight bytes (a program of "N1" lines keeps its index within
  // twice its size): the key of its digits, and where they stand: at `at`
  // of the text, or from the text's size on in decoded_digits_ (the labels
  // of decoded lines, each followed by a blank), whose lines are noted in
  // decoded_lines_. The labels are ordered by their digits, a jump
  // comparing numbers, not texts, then by the places of their lines.
  struct Label {
    std::uint32_t key;
    std::uint32_t at;
  };
  struct DecodedLine {
    std::size_t digits_from;  // where its labels' digits begin in decoded_digits_
    std::size_t line_at;
  };

  // The digits' count and number as one key: the counts' ranges follow
  // one another ("9" is 9, "00" is 10), so labels of up to nine digits
  // compare as one 32-bit number; longer ones all take kLongKey and
  // compare by their digits.
  static constexpr std::uint32_t kLongKey = UINT32_MAX;
  static std::uint32_t KeyOf(std::string_view digits) {
    if (digits.size() > 9) return kLongKey;
    std::uint32_t repunit = 0, number = 0;  // repunit: 1, 11, 111, ... for the count
    for (const char c : digits) {
      repunit = repunit * 10 + 1;
      number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return repunit - 1 + number;
  }

  bool Decoded(const Label& label) const { return label.at >= text_.size(); }

  std::string_view Digits(const Label& label) const {
    const std::string_view where =
        Decoded(label) ? std::string_view(decoded_digits_).substr(label.at - text_.size()) : text_.substr(label.at);
    return SpanOf(where, kDigits);
  }

  // The order of the label's digits against `digits` of key `key`: below,
  // equal or above 0.
  int Order(const Label& label, std::uint32_t key, std::string_view digits) const {
    if (label.key != key) return label.key < key ? -1 : 1;
    if (key != kLongKey) return 0;
    const std::string_view own = Digits(label);
    if (own.size() != digits.size()) return own.size() < digits.size() ? -1 : 1;
    return own.compare(digits);
  }

  // The place of the line that holds the character at `n`: after the last
  // line end before it.
  std::size_t LineStart(std::size_t n) const {
    const std::size_t end = text_.find_last_of(cp932_ ? "\r\n" : "\r", n);
    std::size_t line_at = end == std::string_view::npos ? 0 : end + 1;
    if (!cp932_ && line_at > 0 && line_at < n && text_[line_at] == '\n') ++line_at;  // the LF of a CR LF
    return line_at;
  }

  std::size_t LineOf(const Label& label) const {
    if (!Decoded(label)) return LineStart(label.at - 1);  // the line of its "N"
    const std::size_t from = label.at - text_.size();
    const auto after = std::upper_bound(decoded_lines_.begin(), decoded_lines_.end(), from,
                                        [](std::size_t f, const DecodedLine& line) { return f < line.digits_from; });
    return std::prev(after)->line_at;
  }

  // Orders the labels of the same digits by their lines: a label of the
  // text by its place, one of a decoded line (no other label on it) by
  // the line's.
  std::size_t Place(const Label& label) const { return Decoded(label) ? LineOf(label) : label.at; }

  // Calls `found(line_at, digits, digits_at)` for every label, with
  // digits_at npos for the digits of a decoded line: every "N" followed by
  // digits is a label up to its last digit, so "N10" is not found by a
  // jump to "N1". A line begins after the last line end before it.
  template <typename Found>
  void ForEachLabel(Found&& found) const {
    const std::string_view ends = cp932_ ? "\r\n" : "\r";
    std::size_t decoded_line = std::string_view::npos;  // the line whose labels were read decoded
    for (std::size_t n = text_.find('N'); n != std::string_view::npos; n = text_.find('N', n + 1)) {
      const std::string_view digits = SpanOf(text_.substr(n + 1), kDigits);
      if (digits.empty() && !cp932_) continue;
      const std::size_t end = text_.find_last_of(ends, n);
      std::size_t line_at = end == std::string_view::npos ? 0 : end + 1;
      if (!cp932_ && line_at > 0 && line_at < n && text_[line_at] == '\n') ++line_at;  // the LF of a CR LF
      if (cp932_) {
        const std::size_t line_end = std::min(text_.find_first_of(ends, n), text_.size());
        const std::string_view line = text_.substr(line_at, line_end - line_at);
        if (!IsAscii(line)) {
          // An "N" byte there may be the second byte of a character.
          if (line_at != decoded_line) {
            decoded_line = line_at;
            const std::string text = DecodeCp932(line);
            for (std::size_t d = text.find('N'); d != std::string::npos; d = text.find('N', d + 1)) {
              const std::string_view decoded_digits = SpanOf(std::string_view(text).substr(d + 1), kDigits);
              if (!decoded_digits.empty()) found(line_at, decoded_digits, std::string_view::npos);
            }
          }
          continue;
        }
      }
      if (!digits.empty()) found(line_at, digits, n + 1);
    }
  }

  // The labels sorted by their digits, each label's lines in order; counted
  // first, so the index is made at its size.
  void IndexLabels() {
    indexed_ = true;
    std::size_t count = 0;
    ForEachLabel([&count](std::size_t, std::string_view, std::size_t) { ++count; });
    labels_.reserve(count);
    ForEachLabel([this](std::size_t line_at, std::string_view digits, std::size_t digits_at) {
      if (digits_at == std::string_view::npos) {
        if (decoded_lines_.empty() || decoded_lines_.back().line_at != line_at) {
          decoded_lines_.push_back({decoded_digits_.size(), line_at});
        }
        digits_at = text_.size() + decoded_digits_.size();
        decoded_digits_ += digits;
        decoded_digits_ += ' ';
      }
      if (digits_at > UINT32_MAX) Fail(FailureKind::kOutOfMemory, "N");  // a program of 4 GB
      labels_.push_back({KeyOf(digits), static_cast<std::uint32_t>(digits_at)});
    });
    std::sort(labels_.begin(), labels_.end(), [this](const Label& a, const Label& b) {
      if (a.key != b.key) return a.key < b.key;
      if (a.key == kLongKey) {
        const int order = Order(a, b.key, Digits(b));
        if (order != 0) return order < 0;
      }
      return Place(a) < Place(b);
    });
  }

  std::string_view text_;
  bool cp932_;
  CoordinateTexts& texts_;  // the texts of the coordinates written
  std::vector<Slot> slots_;
  std::vector<std::uint32_t> tags_;  // per slot: 0 empty, else a tag of the hash of its line
  std::vector<std::uint8_t> recent_;  // per pair of slots: the one used last
  std::vector<Known> known_;          // lines run lately, by their place
  std::vector<Label> labels_;
  std::string decoded_digits_;  // the labels' digits of the decoded lines
  std::vector<DecodedLine> decoded_lines_;
  bool indexed_ = false;
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
    std::size_t next;  // where the next line to run begins
  };

  // Runs the block of the line at `at` of a frame; false when the
  // expansion stops.
  bool Execute(const Block& block, Frame& frame, std::size_t at);
  Program* Subprogram(const std::string& name);
  void Write(const char* word, bool arc, float i, float j);

  const SubprogramSource& subprograms_;
  const WireMacroOptions& options_;
  TextOutput& out_;  // the expanded program as it is written
  MacroVariables variables_;
  CoordinateTexts coordinates_;
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
  Program main(text, options_.form, coordinates_);
  frames_.push_back({&main, 0});
  std::int64_t blocks = 0;
  while (!frames_.empty()) {
    Frame& frame = frames_.back();
    if (frame.next >= frame.program->text().size()) {
      frames_.pop_back();
      continue;
    }
    if (++blocks > options_.block_limit) {
      FailWithText(FailureKind::kOverflow, Joined("実行したブロックが ", std::to_string(options_.block_limit),
                                                  " を超えたので展開を止めました（終わらないループではありませんか）"));
    }
    const std::size_t at = frame.next;
    if (!Execute(frame.program->BlockAt(at, frame.next), frame, at)) break;
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
  loaded.program = std::make_unique<Program>(loaded.text, ProgramForm::kText, coordinates_);
  return loaded.program.get();
}

void Expander::Write(const char* word, bool arc, float i, float j) {
  MotionLine line(word);
  line.Add('X', x_, coordinates_);
  line.Add('Y', y_, coordinates_);
  if (arc) {
    line.Add('I', i, coordinates_);
    line.Add('J', j, coordinates_);
  }
  line.AppendTo(out_.text);
  ++result_.moves;
}

bool Expander::Execute(const Block& block, Frame& frame, std::size_t at) {
  std::string& out = out_.text;
  const MacroCode& code = block.code;
  switch (block.kind) {
    case BlockKind::kSkip: return true;
    case BlockKind::kCall: {
      if (frames_.size() > kMaxLevel) return true;  // the deepest level reads the call as an ordinary line
      const std::string name = Joined("O", block.name);
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
      if (!block.x.empty()) offset_x_ = ToSingle(static_cast<double>(x_) - code.Evaluate(block.x, variables_));
      if (!block.y.empty()) offset_y_ = ToSingle(static_cast<double>(y_) - code.Evaluate(block.y, variables_));
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
      if (block.target >= 0) variables_[static_cast<std::size_t>(block.target)] = code.Evaluate(block.value, variables_);
      return true;
    case BlockKind::kIf:
      if (!Holds(code.Evaluate(block.value, variables_), block.comparison, code.Evaluate(block.other, variables_))) {
        return true;
      }
      break;
    case BlockKind::kGoto: break;
    default: {
      const auto axis = [this, &code](MacroCode::Expression address, float& value, float offset) {
        if (address.empty()) return;
        const double read = code.Evaluate(address, variables_);
        value = ToSingle(incremental_ ? value + read : read + offset);
      };
      axis(block.x, x_, offset_x_);
      axis(block.y, y_, offset_y_);
      if (block.x.empty() && block.y.empty()) return true;
      if (!block.t.empty()) {
        const float tool = code.Evaluate(block.t, variables_);
        if (tool != 0) AppendLine(out, "T", Coordinate(tool));
      }
      if (block.g40) AppendLine(out, "G40");
      if (motion_ < 0) return true;  // no motion word yet
      static constexpr const char* kWords[] = {"G00", "G01", "G02", "G03"};
      const float i = block.i.empty() ? 0.0f : code.Evaluate(block.i, variables_);
      const float j = block.j.empty() ? 0.0f : code.Evaluate(block.j, variables_);
      Write(kWords[motion_], motion_ >= 2, i, j);
      return true;
    }
  }
  // A jump: the label's line after this one, else from the start.
  std::string computed;
  if (!block.label_value.empty()) computed = std::to_string(ToInteger(code.Evaluate(block.label_value, variables_)));
  const std::string_view digits = block.label_value.empty() ? block.name : std::string_view(computed);
  Program& program = *frame.program;
  const std::optional<std::size_t> target = program.Find(digits, at + 1);
  if (!target) {
    result_.stopped = Joined("N", digits, " が見つかりませんでした");
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
