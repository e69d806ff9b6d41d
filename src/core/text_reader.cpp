// Line and item reading of work-file text.
#include "core/text_reader.h"

#include <cstring>

namespace kovrel {

bool LineReader::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const char* begin = text_.data() + pos_;
  const void* cr = std::memchr(begin, '\r', text_.size() - pos_);
  if (cr == nullptr) {
    line = text_.substr(pos_);
    pos_ = text_.size();
    return true;
  }
  const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(cr) - text_.data());
  line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

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

std::vector<std::string> SplitItems(std::string_view text) {
  std::vector<std::string> items;
  ItemReader reader(text);
  std::string item;
  while (reader.Next(item)) items.push_back(item);
  return items;
}

std::string_view TextAfter(std::string_view line, std::string_view letter) {
  const std::size_t at = line.find(letter);
  return at == std::string_view::npos ? std::string_view() : line.substr(at + letter.size());
}

std::string_view SpanOf(std::string_view text, std::string_view set) {
  const std::size_t end = text.find_first_not_of(set);
  return end == std::string_view::npos ? text : text.substr(0, end);
}

}  // namespace kovrel
