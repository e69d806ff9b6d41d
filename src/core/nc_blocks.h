// NC data as blocks: the block terminator a file uses (the first "*", LF or
// CR) and the splitting into one block a line, as the drill and Gerber
// readers do before they look at a block.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kovrel {

/// The block separator: the first "*", LF or CR of `text`; empty when
/// there is none.
std::string DetectBlockSeparator(std::string_view text);

/// One block a line: the separator ends a block (CR LF is written); ",",
/// LF, CR and "*" are dropped; with `drop_parameters`, text from a "%" to
/// the next "%" (Gerber parameter blocks) is dropped too; a final CR LF
/// follows the last block. An empty separator ends no block.
std::string SplitBlocks(std::string_view text, std::string_view separator, bool drop_parameters = false);

/// The lines of SplitBlocks one at a time, without the copy of the whole
/// text: a block is a view into the text when it holds no dropped
/// character, else a view into the reader's own buffer (valid until the
/// next block).
class BlockReader {
 public:
  BlockReader(std::string_view text, std::string_view separator, bool drop_parameters = false);

  /// The next block; false after the last (the text after the last
  /// separator, which may be empty).
  bool Next(std::string_view& block);

 private:
  enum Kind : std::uint8_t { kKept, kDropped, kSeparator, kParameter };

  // The end of the run of kept bytes from `from`.
  std::size_t KeptRunEnd(std::size_t from) const;

  std::string_view text_;
  std::size_t pos_ = 0;
  bool done_ = false;
  bool parameters_ = false;  // inside "%" ... "%"
  std::array<Kind, 256> kinds_{};
  // Every byte but ",", LF, CR, "*" and "%" is kept (the separator is one
  // of them): the kept run is found eight bytes at a time.
  bool word_scan_ = false;
  std::string buffer_;
};

}  // namespace kovrel
