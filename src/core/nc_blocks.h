// NC data as blocks: the block terminator a file uses (the first "*", LF or
// CR) and the splitting into one block a line, as the drill and Gerber
// readers do before they look at a block.
#pragma once

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

}  // namespace kovrel
