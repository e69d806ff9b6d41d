// The Shift-JIS (code page 932) codec. Files are CP932 bytes; the program
// holds UTF-8. Decoding never loses a byte: a byte that does not start a
// valid CP932 character decodes to the private-use code point U+F780 + byte,
// and encoding writes it back as that byte. Of the NEC and IBM duplicate
// codes (two or three codes for one character, such as 81 E0 and 87 90 for
// "≒"), the preferred code decodes to the plain character and each other code
// to the character followed by a variation selector (U+FE00, U+FE01), which
// encodes back to that same code.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kovrel {

/// True when every byte is below 0x80: ASCII, which decodes to itself.
bool IsAscii(std::string_view bytes);

/// Decodes CP932 bytes to UTF-8. Never fails.
std::string DecodeCp932(std::string_view bytes);

/// Decodes the bytes held in `text` in place: text made only of ASCII bytes
/// (most NC programs) is left as it is, without a copy.
void DecodeCp932InPlace(std::string& text);

/// A character that CP932 cannot hold, found by FindUnencodable.
struct Unencodable {
  std::size_t offset = 0;  ///< byte offset in the UTF-8 text
  char32_t code_point = 0; ///< kInvalidCodePoint for a malformed UTF-8 byte
  int line = 1;            ///< 1-based line as the editor shows it
};

/// The first character of `text` that CP932 cannot hold, if any.
std::optional<Unencodable> FindUnencodable(std::string_view text);

/// Encodes UTF-8 text to CP932; a character followed by a variation
/// selector is written as the duplicate code the selector marks. Throws Failure (invalid
/// argument) naming the first character CP932 cannot hold and its line;
/// nothing is returned in that case.
std::string EncodeCp932(std::string_view text);

/// Encodes in place, without a copy for ASCII text. Throws like EncodeCp932
/// and then leaves `text` unchanged. For a part of a longer text,
/// `first_line` is the line of the whole text the part begins on, so that
/// a failure names the line as the editor shows it.
void EncodeCp932InPlace(std::string& text, int first_line = 1);

/// The message describing an unencodable character.
std::string UnencodableMessage(std::string_view text, const Unencodable& where);

}  // namespace kovrel
