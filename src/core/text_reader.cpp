// Line and item reading of work-file text.
#include "core/text_reader.h"

#include <cstring>

namespace kovrel {

bool LineReader::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  std::size_t end;
  if (lone_lf_ends_line_) {
    end = text_.find_first_of("\r\n", pos_);
  } else {
    const void* cr = std::memchr(text_.data() + pos_, '\r', text_.size() - pos_);
    end = cr == nullptr ? std::string_view::npos : static_cast<std::size_t>(static_cast<const char*>(cr) - text_.data());
  }
  if (end == std::string_view::npos) {
    line = text_.substr(pos_);
    pos_ = text_.size();
    return true;
  }
  line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return true;
}

std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", pos);
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
  for (std::size_t pos = text.find_first_of("\r\n"); pos != std::string_view::npos;
       pos = text.find_first_of("\r\n", pos + 1)) {
    if (text[pos] == '\n') return true;
    if (pos + 1 >= text.size() || text[pos + 1] != '\n') return true;
    ++pos;  // past the LF of CR LF
  }
  return false;
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

bool ItemReader::Next(std::string& item) {
  if (pos_ >= text_.size()) return false;
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  const auto is_end = [](char c) { return c == ',' || c == '\r' || c == '\n'; };
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t close = text_.find('"', pos_ + 1);
    const std::size_t stop = close == std::string_view::npos ? text_.size() : close;
    item.assign(text_.substr(pos_ + 1, stop - pos_ - 1));
    pos_ = stop == text_.size() ? stop : stop + 1;
    while (pos_ < text_.size() && !is_end(text_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !is_end(text_[pos_])) ++pos_;
    item.assign(text_.substr(start, pos_ - start));
  }
  SkipTerminator();
  return true;
}

std::vector<std::string> SplitItems(std::string_view text) { return ReadAll<ItemReader, std::string>(text); }

std::string_view TextAfter(std::string_view line, std::string_view letter) {
  const std::size_t at = line.find(letter);
  return at == std::string_view::npos ? std::string_view() : line.substr(at + letter.size());
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view SpanOf(std::string_view text, std::string_view set) {
  const std::size_t end = text.find_first_not_of(set);
  return end == std::string_view::npos ? text : text.substr(0, end);
}

}  // namespace kovrel
