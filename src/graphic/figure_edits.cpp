// The figure edits on the tables and on the document text.
#include "graphic/figure_edits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/append.h"
#include "core/byte_scan.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/ordered_pieces.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// How an edit writes its numbers: a mask, or the shortest text of the
// single value (the move of hole data).
struct NumberForm {
  std::optional<Mask> mask;
  void WriteTo(std::string& out, float value) const {
    if (mask) {
      Append(out, Masked(value, *mask));
    } else {
      Append(out, General(value));
    }
  }
  std::string Write(float value) const {
    std::string text;
    WriteTo(text, value);
    return text;
  }
};

NumberForm FormOf(const FigureEdit& edit, FigureKind kind) {
  const bool holes = kind == FigureKind::kHoles;
  switch (edit.kind) {
    case FigureEdit::Kind::kMirror: return {ParseMask(holes ? "####0.000#####" : "####0.0######")};
    case FigureEdit::Kind::kScale: return {ParseMask("#####0.0####")};
    case FigureEdit::Kind::kMove: return holes ? NumberForm{} : NumberForm{ParseMask("####0.0###")};
  }
  return {};
}

// An address of a part: its letter's position and the number after it.
struct Word {
  std::size_t letter = std::string_view::npos;
  NumberText number;
  float value = 0;
  bool Present() const { return letter != std::string_view::npos && number.has_digits; }
};

// The word whose letter stands at `letter` (npos: absent).
Word WordAt(std::string_view part, std::size_t letter) {
  // One word made in its place, its number in the word's own: a copy of
  // either, just written field by field, would be read back in wide loads
  // before the stores settle.
  const bool present = letter != std::string_view::npos;
  Word word{letter, present ? LocateNumber(part.substr(letter + 1)) : NumberText{}};
  if (present) word.value = ToSingle(word.number.value);
  return word;
}

// A piece of a part replaced: by a number (written when the part is), a
// letter, or a text.
struct Replacement {
  enum class Kind { kNumber, kLetter, kText };
  std::size_t at = 0, length = 0;
  Kind kind = Kind::kNumber;
  float number = 0;
  char letter = 0;
  std::string text;
};

// The replacements of one part at a time, written into the output in the
// order of their places: a number goes straight into the output, and a
// text keeps its storage from part to part, so a line costs no allocation.
class PartEditor {
 public:
  explicit PartEditor(const NumberForm& form) : form_(form) {}

  void Start(std::string_view part) {
    part_ = part;
    count_ = 0;
  }

  // Writes `value` in place of the digits of `word` (a word without a
  // number stays as it is). A written exponent stays, so the digits carry
  // the value divided by it.
  void Set(const Word& word, float value) {
    if (!word.Present()) return;
    float digits = value;
    if (word.number.exponent != 0) {
      digits = ToSingle(static_cast<double>(value) / std::pow(10.0, static_cast<double>(word.number.exponent)));
    }
    // A value beyond a float fails here, with the formatter's message, before
    // any later word of the part is read.
    if (!std::isfinite(digits)) form_.Write(digits);
    const std::size_t start = word.letter + 1;
    Add(start + word.number.begin, word.number.digits_end - word.number.begin, Replacement::Kind::kNumber).number =
        digits;
  }
  void Rename(const Word& word, char letter) {
    if (word.Present()) Replace(word.letter, letter);
  }
  // The axis exchange of a pair of words: both values change places; a
  // lone word takes the other letter.
  void Exchange(const Word& a, char a_letter, const Word& b, char b_letter) {
    if (a.Present() && b.Present()) {
      Set(a, b.value);
      Set(b, a.value);
    } else if (a.Present()) {
      Rename(a, b_letter);
      Set(a, a.value);
    } else if (b.Present()) {
      Rename(b, a_letter);
      Set(b, b.value);
    }
  }
  void Replace(std::size_t at, char c) { Add(at, 1, Replacement::Kind::kLetter).letter = c; }
  // New text at `at`, nothing replaced.
  std::string& Insert(std::size_t at) {
    Replacement& replacement = Add(at, 0, Replacement::Kind::kText);
    replacement.text.clear();
    return replacement.text;
  }

  void WriteTo(std::string& out) {
    // The replacements in the order of their places (no two share one),
    // sorted by their indices so that their texts stay where they are.
    std::array<std::uint8_t, kMostReplacements> order;
    for (std::size_t k = 0; k < count_; ++k) {
      std::size_t at = k;
      for (; at > 0 && replacements_[order[at - 1]].at > replacements_[k].at; --at) order[at] = order[at - 1];
      order[at] = static_cast<std::uint8_t>(k);
    }
    std::size_t pos = 0;
    for (std::size_t k = 0; k < count_; ++k) {
      const Replacement& replacement = replacements_[order[k]];
      out.append(part_.data() + pos, replacement.at - pos);
      switch (replacement.kind) {
        case Replacement::Kind::kNumber: form_.WriteTo(out, replacement.number); break;
        case Replacement::Kind::kLetter: out += replacement.letter; break;
        case Replacement::Kind::kText: out.append(replacement.text); break;
      }
      pos = replacement.at + replacement.length;
    }
    out.append(part_.data() + pos, part_.size() - pos);
  }

 private:
  // A new replacement.
  Replacement& Add(std::size_t at, std::size_t length, Replacement::Kind kind) {
    Replacement& replacement = replacements_[count_++];
    replacement.at = at;
    replacement.length = length;
    replacement.kind = kind;
    return replacement;
  }

  std::string_view part_;
  const NumberForm& form_;
  // At most six: four numbers and two renames, or the arc direction.
  static constexpr std::size_t kMostReplacements = 8;
  std::array<Replacement, kMostReplacements> replacements_;
  std::size_t count_ = 0;
};

// How an edit reads the words of a part: every word it may change, and
// the others too unless every number of the text is known to fit a float
// (reading one that does not fails the edit, so it must be read then).
struct WordReading {
  bool x = true, y = true;  ///< the words of X (and I), of Y (and J)

  WordReading(const FigureEdit& edit, bool numbers_fit) {
    if (!numbers_fit || edit.kind != FigureEdit::Kind::kMirror) return;
    x = edit.axis != MirrorAxis::kY;
    y = edit.axis != MirrorAxis::kX;
  }
};

void EditPart(std::string_view part, const PartWords& words, const FigureEdit& edit, const NumberForm& form, bool gcode,
              const WordReading& reading, PartEditor& editor, std::string& out) {
  editor.Start(part);
  const Word x = reading.x ? WordAt(part, words.x) : Word{}, y = reading.y ? WordAt(part, words.y) : Word{};
  const Word i = gcode && reading.x ? WordAt(part, words.i) : Word{};
  const Word j = gcode && reading.y ? WordAt(part, words.j) : Word{};
  const std::size_t motion = words.motion;
  const bool arc = gcode && motion != std::string_view::npos && (part[motion + 2] == '2' || part[motion + 2] == '3');
  switch (edit.kind) {
    case FigureEdit::Kind::kMirror:
      if (edit.axis == MirrorAxis::kX) {
        editor.Set(x, -x.value);
        editor.Set(i, -i.value);
      } else if (edit.axis == MirrorAxis::kY) {
        editor.Set(y, -y.value);
        editor.Set(j, -j.value);
      } else {
        editor.Exchange(x, 'X', y, 'Y');
        editor.Exchange(i, 'I', j, 'J');
      }
      // Every mirror and the exchange reverse the direction of an arc.
      if (arc) editor.Replace(motion + 2, part[motion + 2] == '2' ? '3' : '2');
      break;
    case FigureEdit::Kind::kMove:
      editor.Set(x, x.value + edit.dx);
      editor.Set(y, y.value + edit.dy);
      editor.Set(i, i.value);
      editor.Set(j, j.value);
      if (!gcode) {
        // A hole line without X or Y holds its hole at 0 there (every hole
        // reader reads it so): the moved coordinate is written, or the text
        // would keep the hole where the figure no longer has it. A G-code
        // line's absent word is modal and moved with the line that gave it.
        if (!x.Present()) Append(editor.Insert(0), "X", form.Write(edit.dx), " ");
        if (!y.Present()) Append(editor.Insert(part.size()), " Y", form.Write(edit.dy));
      }
      break;
    case FigureEdit::Kind::kScale:
      editor.Set(x, x.value * edit.factor);
      editor.Set(y, y.value * edit.factor);
      editor.Set(i, i.value * edit.factor);
      editor.Set(j, j.value * edit.factor);
      if (arc) {
        // A negative factor turns the figure half round, which keeps the
        // arcs' directions: R keeps its sign (a negative R is the long arc).
        const Word r = WordAt(part, words.r);
        editor.Set(r, r.value * std::fabs(edit.factor));
      }
      break;
  }
  editor.WriteTo(out);
}

// Edits the parts of a G-code line that the figure's loader reads as
// elements: those with a motion word, without "*", and not a quoted field.
// Every other part (a line without a motion word has only such parts) is
// copied as it stands, with the commas between the parts.
void EditGcodeLine(std::string_view line, const FigureEdit& edit, const NumberForm& form, const WordReading& reading,
                   PartEditor& editor, std::string& out) {
  std::size_t pos = 0;
  while (true) {
    const PartWords words = FindPartWords(line.substr(pos));
    const std::string_view part = line.substr(pos, words.end);
    const bool quoted = TrimBlanks(part).starts_with('"');
    if (words.motion != std::string_view::npos && !words.star && !quoted) {
      EditPart(part, words, edit, form, true, reading, editor, out);
    } else {
      out.append(part);
    }
    pos += words.end;
    if (pos >= line.size()) break;
    out += ',';
    ++pos;
  }
}

// The changed arc direction of an element.
void ReverseArc(FigElem& element) {
  if (element.g == 2) {
    element.g = 3;
  } else if (element.g == 3) {
    element.g = 2;
  }
}

}  // namespace

FigureKind KindOf(const FigureTables& figure) {
  if (figure.LastHole() > -1) return FigureKind::kHoles;
  if (figure.LastElem() > -1) return FigureKind::kGcode;
  return FigureKind::kNone;
}

void EditFigure(FigureTables& figure, const FigureEdit& edit) {
  const auto point = [&edit](float& x, float& y) {
    switch (edit.kind) {
      case FigureEdit::Kind::kMirror:
        if (edit.axis == MirrorAxis::kX) x = -x;
        if (edit.axis == MirrorAxis::kY) y = -y;
        if (edit.axis == MirrorAxis::kSwap) std::swap(x, y);
        break;
      case FigureEdit::Kind::kMove:
        x += edit.dx;
        y += edit.dy;
        break;
      case FigureEdit::Kind::kScale:
        x *= edit.factor;
        y *= edit.factor;
        break;
    }
  };
  for (HolePoint& hole : figure.HolePoints) point(hole.x, hole.y);
  for (FigElem& element : figure.FigElems) {
    point(element.x, element.y);
    if (edit.kind == FigureEdit::Kind::kMirror) {
      point(element.i, element.j);
      ReverseArc(element);
    } else if (edit.kind == FigureEdit::Kind::kScale) {
      point(element.i, element.j);
    }
  }
}

// The bytes of the text edited as one piece.
constexpr std::size_t kEditPiece = std::size_t{1} << 20;

void EditDocument(std::string_view text, const FigureEdit& edit, FigureKind kind, TextOutput& out, bool numbers_fit) {
  if (kind == FigureKind::kNone) {
    out.text.append(text);
    return;
  }
  const NumberForm form = FormOf(edit, kind);
  const WordReading reading(edit, numbers_fit);
  // Every line is edited by its own words (an absent G-code word is modal
  // and moved with the line that gave it), so the pieces of a long text
  // can be edited at once.
  const std::vector<std::size_t> starts = LinePieceStarts(text, kEditPiece);
  WritePiecesInOrder(
      starts.size() + 1, kEditPiece + kEditPiece / 2,
      [&](std::size_t k, TextOutput& piece) {
        LineReader reader(LinePiece(text, starts, k));
        std::string_view line;
        PartEditor editor(form);
        while (reader.Next(line)) {
          if (kind == FigureKind::kGcode) {
            EditGcodeLine(line, edit, form, reading, editor, piece.text);
          } else if (HasLetter(line, "X") || HasLetter(line, "Y")) {
            // A hole line is one part whatever commas it has.
            PartWords words;
            words.x = line.find('X');
            words.y = line.find('Y');
            EditPart(line, words, edit, form, false, reading, editor, piece.text);
          } else {
            piece.text.append(line);
          }
          piece.text.append("\r\n");
          piece.Pass();
        }
      },
      out);
}

std::string EditDocument(std::string_view text, const FigureEdit& edit, FigureKind kind) {
  if (kind == FigureKind::kNone) return std::string(text);
  TextOutput out;
  out.text.reserve(text.size() + text.size() / 8);
  EditDocument(text, edit, kind, out);
  return std::move(out.text);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// A character that a number's digits run on over: a digit, the point, or a
// blank (blanks inside a number are read over).
bool RunsOn(char c) { return IsDigit(c) || c == '.' || IsBlank(c); }

// True when no number of `text` can lie beyond a float's range: no "&"
// introduces a hexadecimal or octal one, none is written with an exponent
// (E or D after a digit or point, blanks between), and no stretch of
// digits, points and blanks holds 38 digits or more. Every number the
// figure's loader reads then fits, so it cannot fail on one.
bool NoNumberBeyondSingle(std::string_view text) {
  bool fits = true;
  VisitEachOf<'&', 'E', 'e', 'D', 'd'>(text, [&](std::size_t at) {
    std::size_t before = at;
    while (before > 0 && IsBlank(text[before - 1])) --before;
    fits = text[at] != '&' && !(before > 0 && (IsDigit(text[before - 1]) || text[before - 1] == '.'));
    return fits;
  });
  if (!fits) return false;
  // A stretch of 38 digits is longer than 31 characters, so it covers a
  // whole window of 16 that starts at a multiple of 16: only a window of
  // characters that all run on is looked at (a letter, a byte of 64 or more,
  // rules a window out at one look), and the stretch through it counted
  // from its start to its end.
  constexpr std::size_t kWindow = 16;
  constexpr std::uint64_t kLetterBits = 0xC0C0C0C0C0C0C0C0ULL;
  for (std::size_t window = 0; window + kWindow <= text.size(); window += kWindow) {
    const char* const data = text.data() + window;
    if (((byte_scan::Load(data) | byte_scan::Load(data + 8)) & kLetterBits) != 0 ||
        !std::all_of(data, data + kWindow, RunsOn)) {
      continue;
    }
    std::size_t start = window;
    while (start > 0 && RunsOn(text[start - 1])) --start;
    std::size_t end = start;
    int digits = 0;
    for (; end < text.size() && RunsOn(text[end]); ++end) digits += IsDigit(text[end]);
    if (digits >= 38) return false;
    // On from the window that holds the stretch's end (not all running on).
    window = end / kWindow * kWindow;
  }
  return true;
}

}  // namespace

FigureLoad DocumentKind(std::string_view text, FigureKind& kind, bool* numbers_fit) {
  kind = FigureKind::kNone;
  const bool fit = NoNumberBeyondSingle(text);
  if (numbers_fit != nullptr) *numbers_fit = fit;
  if (!fit) {
    // A number may overflow: the loader reads them all and fails as it does.
    FigureTables figure;
    const FigureLoad load = LoadFigure(figure, text);
    kind = KindOf(figure);
    return load;
  }
  // The tables are not needed, only whether they would hold a hole or an
  // element: a line with X or Y makes a hole of drill data; any field of
  // G-code that is not empty and has no "*" makes an element (a move or a
  // layer marker).
  const FigureContent content = DetectFigureContent(text);
  if (content.drill && content.gcode) return FigureLoad::kMixed;
  if (content.drill) {
    LineReader lines(text);
    std::string_view line;
    while (lines.Next(line)) {
      if (HasLetter(line, "X") || HasLetter(line, "Y")) {
        kind = FigureKind::kHoles;
        break;
      }
    }
  } else if (content.gcode) {
    ItemReader items(text);
    std::string_view item;
    while (items.Next(item)) {
      if (!item.empty() && !HasLetter(item, "*")) {
        kind = FigureKind::kGcode;
        break;
      }
    }
  }
  return FigureLoad::kLoaded;
}

std::optional<float> ReadEditNumber(std::string_view text) {
  const std::optional<double> value = TypedNumber(text);
  if (!value) return std::nullopt;
  return ToSingle(*value);
}

}  // namespace kovrel
