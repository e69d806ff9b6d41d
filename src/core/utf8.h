// UTF-8 helpers: the program holds text as UTF-8 std::string, and the text
// tools count characters as Unicode code points.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kovrel {

/// Returned by NextCodePoint for a byte that does not start a valid sequence.
inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;

/// The variation selectors U+FE00 to U+FE0F. The codec marks a CP932
/// duplicate code with one (the character followed by its selector); the
/// text tools count such a pair as one character.
inline constexpr char32_t kFirstVariationSelector = 0xFE00;
inline constexpr bool IsVariationSelector(char32_t cp) { return cp >= 0xFE00 && cp <= 0xFE0F; }

/// Appends the UTF-8 form of `cp` (a valid scalar value) to `out`.
void AppendUtf8(std::string& out, char32_t cp);

/// Writes the UTF-8 form of `cp` at `out` and returns the byte count (1-4).
int WriteUtf8(char* out, char32_t cp);

/// Reads the code point starting at `pos` and advances `pos` past it. An
/// invalid or truncated sequence yields kInvalidCodePoint and advances by one
/// byte. `pos` must be below text.size().
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

/// Reads one character: the code point at `pos` together with a variation
/// selector that follows it. Returns the code point (without its selector);
/// `pos` moves past both.
char32_t NextCharacter(std::string_view text, std::size_t& pos);

/// Number of characters in `text` (an invalid byte counts as one, a code
/// point with its variation selector as one).
std::size_t CountCharacters(std::string_view text);

/// Number of code points in `text` (an invalid byte counts as one).
std::size_t CountCodePoints(std::string_view text);

/// "41": a byte in two upper-case hexadecimal digits.
std::string HexByte(unsigned char byte);

/// "U+XXXX" for a code point, as shown in messages.
std::string CodePointName(char32_t cp);

}  // namespace kovrel
