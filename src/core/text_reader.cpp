// Line and item reading of work-file text.
#include "core/text_reader.h"

#include <algorithm>

#include "core/byte_scan.h"

namespace kovrel {

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = FindLineEnd(text, pos);
    if (end == std::string_view::npos) {
      out.append(text, pos);
      break;
    }
    out.append(text, pos, end - pos);
    out.append("\r\n");
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
  return out;
}

bool HasLoneLineEnds(std::string_view text) {
  // Without lone line ends every CR has an LF right after it and every LF
  // a CR right before it: word by word, the LFs are the CRs moved on by one
  // byte (a CR in a word's last byte carries over to the next word).
  std::uint64_t carry = 0;
  std::size_t pos = 0;
#if defined(__SSE2__)
  for (; pos + 16 <= text.size(); pos += 16) {
    const __m128i block = byte_scan::Load16(text.data() + pos);
    const unsigned cr = byte_scan::Matches16<'\r'>(block);
    if (byte_scan::Matches16<'\n'>(block) != (((cr << 1) | carry) & 0xFFFF)) return true;
    carry = cr >> 15;
  }
  carry <<= 7;  // the word loop marks a byte by its high bit
#endif
  for (; pos + 8 <= text.size(); pos += 8) {
    const std::uint64_t word = byte_scan::Load(text.data() + pos);
    const std::uint64_t cr = byte_scan::Matches(word, '\r');
    if (byte_scan::Matches(word, '\n') != ((cr << 8) | carry)) return true;
    carry = cr >> 56;
  }
  bool after_cr = carry != 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (after_cr != (c == '\n')) return true;
    after_cr = c == '\r';
  }
  return after_cr;
}

int CountLineBreaks(std::string_view text) {
  int breaks = 0;
  for (std::size_t pos = FindLineEnd(text, 0); pos != std::string_view::npos; pos = FindLineEnd(text, pos + 1)) {
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
    ++breaks;
  }
  return breaks;
}

namespace {

// Everything a reader gives, in order.
template <typename Reader, typename Piece>
std::vector<Piece> ReadAll(std::string_view text) {
  std::vector<Piece> pieces;
  Reader reader(text);
  Piece piece;
  while (reader.Next(piece)) pieces.push_back(piece);
  return pieces;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) { return ReadAll<LineReader, std::string_view>(text); }

void ItemReader::SkipTerminator() {
  if (pos_ >= text_.size()) return;
  const char c = text_[pos_++];
  if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

bool ItemReader::Next(std::string_view& item) {
  if (pos_ >= text_.size()) return false;
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  // The item's end: the next comma or line end, or the end of the text.
  const auto end_from = [this](std::size_t from) {
    return std::min(FindAnyOf<',', '\r', '\n'>(text_, from), text_.size());
  };
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t close = text_.find('"', pos_ + 1);
    const std::size_t stop = close == std::string_view::npos ? text_.size() : close;
    item = text_.substr(pos_ + 1, stop - pos_ - 1);
    pos_ = end_from(stop == text_.size() ? stop : stop + 1);
  } else {
    const std::size_t start = pos_;
    pos_ = end_from(pos_);
    item = text_.substr(start, pos_ - start);
  }
  SkipTerminator();
  return true;
}

std::vector<std::string> SplitItems(std::string_view text) {
  std::vector<std::string> items;
  for (const std::string_view item : ReadAll<ItemReader, std::string_view>(text)) items.emplace_back(item);
  return items;
}

std::string_view TextAfter(std::string_view line, std::string_view letter) {
  const std::size_t at = line.find(letter);
  return at == std::string_view::npos ? std::string_view() : line.substr(at + letter.size());
}

std::string_view SpanOf(std::string_view text, std::string_view set) { return SpanOf(text, ByteSet(set)); }

std::string_view SpanOf(std::string_view text, const ByteSet& set) {
  std::size_t end = 0;
  while (end < text.size() && set.Contains(text[end])) ++end;
  return text.substr(0, end);
}

std::string_view TrimBlanks(std::string_view text) {
  // A loop over the few blanks: find_first_not_of would call memchr for
  // every character it passes.
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace kovrel
