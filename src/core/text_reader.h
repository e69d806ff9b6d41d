// Reading a work file the way every command does: line by line (a line ends
// at CR LF or at a lone CR; a lone LF stays in the line; the last line needs
// no end marker) or item by item (an item also ends at a comma or a lone LF),
// plus the letter search of addresses such as "X", "G01" or "φ", and the
// reading of every line end (CR LF, lone CR, lone LF) as a line break.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_scan.h"

namespace kovrel {

/// `text` with every CR LF, lone CR and lone LF written as CR LF: a file
/// written on any system as the conversions read it.
std::string WithCrLfLineEnds(std::string_view text);

/// True when `text` holds a lone CR or a lone LF.
bool HasLoneLineEnds(std::string_view text);

/// The number of line breaks in `text`: each CR LF, lone CR and lone LF
/// counts once (as the editor numbers lines).
int CountLineBreaks(std::string_view text);

/// Reads lines from a text. The views point into the text.
class LineReader {
 public:
  /// With `lone_lf_ends_line` a lone LF ends a line too (the saves read the
  /// editor's text so); otherwise it stays in the line.
  explicit LineReader(std::string_view text, bool lone_lf_ends_line = false)
      : text_(text), lone_lf_ends_line_(lone_lf_ends_line) {}

  /// The next line without its end marker; false at the end of the text.
  /// In the header: the lines of NC data and DXF are short, and a call per
  /// line would cost about as much as finding its end.
  bool Next(std::string_view& line) {
    const std::size_t size = text_.size();
    if (pos_ >= size) return false;
    const std::size_t end = lone_lf_ends_line_ ? FindLineEnd(text_, pos_) : FindAnyOf<'\r'>(text_, pos_);
    const char* const data = text_.data();
    if (end == std::string_view::npos) {
      line = std::string_view(data + pos_, size - pos_);
      pos_ = size;
      return true;
    }
    line = std::string_view(data + pos_, end - pos_);
    pos_ = end + 1;
    if (data[end] == '\r' && pos_ < size && data[pos_] == '\n') ++pos_;
    return true;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool lone_lf_ends_line_ = false;
};

/// All lines of `text` (an empty text has none).
std::vector<std::string_view> SplitLines(std::string_view text);

/// Reads items: an item ends at a comma or a line end (CR LF, CR or LF);
/// blanks before an item are skipped; an item that begins with a double
/// quote runs to the closing quote, the quotes are dropped and the rest up
/// to the next comma or line end is ignored; an empty line is one empty item.
class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : text_(text) {}

  /// The next item, a view into the text; false at the end of the text.
  bool Next(std::string_view& item);
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  // Moves past the item's terminator (comma or one line end).
  void SkipTerminator();

  std::string_view text_;
  std::size_t pos_ = 0;
};

/// All items of `text`.
std::vector<std::string> SplitItems(std::string_view text);

/// Byte offset of the first occurrence of `letter` in `line` (exact,
/// case-sensitive), or npos.
inline std::size_t FindLetter(std::string_view line, std::string_view letter) {
  return line.find(letter);
}

/// True when `line` contains `letter`.
inline bool HasLetter(std::string_view line, std::string_view letter) {
  return line.find(letter) != std::string_view::npos;
}

/// The text after the first occurrence of `letter` (empty when absent).
std::string_view TextAfter(std::string_view line, std::string_view letter);

/// The motion word "G00" to "G03" of the G at `g` as the bit 1 << n, or 0.
inline unsigned MotionWordAt(std::string_view item, std::size_t g) {
  if (g + 2 < item.size() && item[g + 1] == '0' && item[g + 2] >= '0' && item[g + 2] <= '3') {
    return 1u << (item[g + 2] - '0');
  }
  return 0;
}

/// The motion words "G00" to "G03" that stand anywhere in `item`, as the
/// bits 1 << n (the two-digit words; "G1X5" has none): what four searches
/// tell, by one look at each G from the first, `first_g`.
inline unsigned MotionWords(std::string_view item, std::size_t first_g) {
  unsigned words = 0;
  for (std::size_t at = first_g; at != std::string_view::npos; at = item.find('G', at + 1)) words |= MotionWordAt(item, at);
  return words;
}
inline unsigned MotionWords(std::string_view item) { return MotionWords(item, item.find('G')); }

/// True for a G-code item or line with "G00", "G01", "G02" or "G03" anywhere.
inline bool IsMotionItem(std::string_view item) { return MotionWords(item) != 0; }

/// `text` without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

/// True for the ASCII digits 0 to 9.
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

/// The longest prefix of `text` made of characters of the ASCII `set`.
std::string_view SpanOf(std::string_view text, std::string_view set);
std::string_view SpanOf(std::string_view text, const ByteSet& set);

}  // namespace kovrel
