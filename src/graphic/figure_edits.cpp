// The figure edits on the tables and on the document text.
#include "graphic/figure_edits.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/append.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// How an edit writes its numbers: a mask, or the shortest text of the
// single value (the move of hole data).
struct NumberForm {
  std::optional<Mask> mask;
  std::string Write(float value) const { return mask ? FormatMask(value, *mask) : FormatGeneral(value); }
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

Word FindWord(std::string_view part, char letter) {
  Word word;
  word.letter = part.find(letter);
  if (word.letter == std::string_view::npos) return word;
  word.number = LocateNumber(part.substr(word.letter + 1));
  word.value = ToSingle(word.number.value);
  return word;
}

// A piece of a part replaced by new text.
struct Replacement {
  std::size_t at = 0, length = 0;
  std::string text;
};

class PartEditor {
 public:
  PartEditor(std::string_view part, const NumberForm& form) : part_(part), form_(form) {}

  // Writes `value` in place of the digits of `word` (a word without a
  // number stays as it is). A written exponent stays, so the digits carry
  // the value divided by it.
  void Set(const Word& word, float value) {
    if (!word.Present()) return;
    float digits = value;
    if (word.number.exponent != 0) {
      digits = ToSingle(static_cast<double>(value) / std::pow(10.0, static_cast<double>(word.number.exponent)));
    }
    const std::size_t start = word.letter + 1;
    replacements_.push_back(
        {start + word.number.begin, word.number.digits_end - word.number.begin, form_.Write(digits)});
  }
  void Rename(const Word& word, char letter) {
    if (word.Present()) replacements_.push_back({word.letter, 1, std::string(1, letter)});
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
  void Replace(std::size_t at, std::string text) { replacements_.push_back({at, text.size(), std::move(text)}); }
  // New text at `at`, nothing replaced.
  void Insert(std::size_t at, std::string text) { replacements_.push_back({at, 0, std::move(text)}); }

  void WriteTo(std::string& out) {
    std::sort(replacements_.begin(), replacements_.end(),
              [](const Replacement& a, const Replacement& b) { return a.at < b.at; });
    std::size_t pos = 0;
    for (const Replacement& replacement : replacements_) {
      out.append(part_.substr(pos, replacement.at - pos));
      out.append(replacement.text);
      pos = replacement.at + replacement.length;
    }
    out.append(part_.substr(pos));
  }

 private:
  std::string_view part_;
  const NumberForm& form_;
  std::vector<Replacement> replacements_;
};

// The position of the first motion word G00..G03 of a part.
std::size_t MotionWord(std::string_view part) {
  std::size_t first = std::string_view::npos;
  for (const std::string_view word : {"G00", "G01", "G02", "G03"}) first = std::min(first, part.find(word));
  return first;
}

void EditPart(std::string_view part, const FigureEdit& edit, const NumberForm& form, bool gcode, std::string& out) {
  PartEditor editor(part, form);
  const Word x = FindWord(part, 'X'), y = FindWord(part, 'Y');
  Word i, j;
  bool arc = false;
  std::size_t motion = std::string_view::npos;
  if (gcode) {
    i = FindWord(part, 'I');
    j = FindWord(part, 'J');
    motion = MotionWord(part);
    arc = motion != std::string_view::npos && (part[motion + 2] == '2' || part[motion + 2] == '3');
  }
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
      if (arc) editor.Replace(motion + 2, part[motion + 2] == '2' ? "3" : "2");
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
        if (!x.Present()) editor.Insert(0, Joined("X", form.Write(edit.dx), " "));
        if (!y.Present()) editor.Insert(part.size(), Joined(" Y", form.Write(edit.dy)));
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
        const Word r = FindWord(part, 'R');
        editor.Set(r, r.value * std::fabs(edit.factor));
      }
      break;
  }
  editor.WriteTo(out);
}

// A part of a G-code line as the figure's loader reads it: with a motion
// word, without "*", and not a quoted field.
bool IsFigurePart(std::string_view part) {
  const std::size_t first = part.find_first_not_of(" \t");
  if (first != std::string_view::npos && part[first] == '"') return false;
  return IsMotionItem(part) && !HasLetter(part, "*");
}

void EditGcodeLine(std::string_view line, const FigureEdit& edit, const NumberForm& form, std::string& out) {
  if (!IsMotionItem(line)) {
    out.append(line);
    return;
  }
  std::size_t pos = 0;
  while (true) {
    const std::size_t comma = line.find(',', pos);
    const std::string_view part = line.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
    if (IsFigurePart(part)) {
      EditPart(part, edit, form, true, out);
    } else {
      out.append(part);
    }
    if (comma == std::string_view::npos) break;
    out += ',';
    pos = comma + 1;
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

std::string EditDocument(std::string_view text, const FigureEdit& edit, FigureKind kind) {
  if (kind == FigureKind::kNone) return std::string(text);
  const NumberForm form = FormOf(edit, kind);
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) {
    if (kind == FigureKind::kGcode) {
      EditGcodeLine(line, edit, form, out);
    } else if (HasLetter(line, "X") || HasLetter(line, "Y")) {
      EditPart(line, edit, form, false, out);
    } else {
      out.append(line);
    }
    out.append("\r\n");
  }
  return out;
}

std::optional<float> ReadEditNumber(std::string_view text) {
  const std::optional<double> value = TypedNumber(text);
  if (!value) return std::nullopt;
  return ToSingle(*value);
}

}  // namespace kovrel
