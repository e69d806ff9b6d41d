// Block splitting of drill and Gerber data.
#include "core/nc_blocks.h"

#include <algorithm>

#include "core/byte_scan.h"

namespace kovrel {

std::string DetectBlockSeparator(std::string_view text) {
  const std::size_t at = text.find_first_of("*\n\r");
  return at == std::string_view::npos ? std::string() : std::string(1, text[at]);
}

std::string SplitBlocks(std::string_view text, std::string_view separator, bool drop_parameters) {
  std::string blocks;
  blocks.reserve(text.size() + 2);
  BlockReader reader(text, separator, drop_parameters);
  std::string_view block;
  while (reader.Next(block)) {
    blocks += block;
    blocks += "\r\n";
  }
  return blocks;
}

BlockReader::BlockReader(std::string_view text, std::string_view separator, bool drop_parameters) : text_(text) {
  for (const char c : {',', '\n', '\r', '*'}) kinds_[static_cast<unsigned char>(c)] = kDropped;
  if (drop_parameters) kinds_['%'] = kParameter;
  if (!separator.empty()) kinds_[static_cast<unsigned char>(separator.front())] = kSeparator;
  word_scan_ = separator.empty() || std::string_view(",\n\r*%").find(separator.front()) != std::string_view::npos;
}

std::size_t BlockReader::KeptRunEnd(std::size_t from) const {
  const auto kind = [this](std::size_t at) { return kinds_[static_cast<unsigned char>(text_[at])]; };
  if (!word_scan_) {
    while (from < text_.size() && kind(from) == kKept) ++from;
    return from;
  }
  while (true) {
    from = std::min(FindAnyOf<',', '\n', '\r', '*', '%'>(text_, from), text_.size());
    // A "%" outside Gerber parameters is a kept byte.
    if (from == text_.size() || kind(from) != kKept) return from;
    ++from;
  }
}

bool BlockReader::Next(std::string_view& block) {
  if (done_) return false;
  const std::size_t size = text_.size();
  const auto kind = [this](std::size_t at) { return kinds_[static_cast<unsigned char>(text_[at])]; };
  std::size_t start = pos_;
  std::size_t end = start;
  if (!parameters_) {
    // The LF of a CR LF whose CR was the separator: dropped, so skipped.
    if (start < size && text_[start] == '\n' && kind(start) == kDropped) ++start;
    end = KeptRunEnd(start);
    block = text_.substr(start, end - start);
  }
  if (parameters_ || (end < size && kind(end) != kSeparator)) {
    // A block with a dropped character or a parameter: built byte by byte.
    buffer_.clear();
    for (end = start; end < size; ++end) {
      const Kind k = kind(end);
      if (k == kParameter) {
        parameters_ = !parameters_;
      } else if (parameters_) {
        continue;
      } else if (k == kSeparator) {
        break;
      } else if (k == kKept) {
        buffer_ += text_[end];
      }
    }
    block = buffer_;
  }
  if (end >= size) {
    done_ = true;
  } else {
    pos_ = end + 1;
  }
  return true;
}

}  // namespace kovrel
