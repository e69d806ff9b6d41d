// CP932 decoding and encoding through the generated double-byte table.
#include "core/cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

#include "core/byte_scan.h"
#include "core/failure.h"
#include "core/utf8.h"

namespace kovrel {
namespace {

#include "core/cp932_table.inc"

constexpr char32_t kRawByteBase = 0xF780;  // undecodable byte b <-> U+F780 + b

constexpr bool IsLeadByte(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Row of kCp932Table for a lead byte.
constexpr int LeadRow(unsigned b) { return b <= 0x9F ? static_cast<int>(b - 0x81) : static_cast<int>(b - 0xE0 + 31); }

// Preference of a double-byte code when several decode to one character: the
// standard JIS rows first, then NEC row 13, then the IBM extensions, last the
// NEC-selected IBM extensions. This is the choice of the system conversion.
int LeadPreference(unsigned lead) {
  if (lead == 0x87) return 1;
  if (lead >= 0xFA) return 2;
  if (lead == 0xED || lead == 0xEE) return 3;
  return 0;
}

// Unicode (BMP) to CP932: a byte value below 0x100 or a double-byte code;
// 0 means not encodable (U+0000 itself is handled as ASCII). Where several
// codes decode to one character, `code` holds the preferred one and
// `alternatives` the others, each marked by its variation selector; `mark`
// gives every double-byte code its marker (0 for the preferred code).
struct EncodeTable {
  std::array<std::uint16_t, 0x10000> code{};
  // (code point << 4 | marker index) -> code of an alternative, sorted.
  std::vector<std::pair<std::uint32_t, std::uint16_t>> alternatives;
  std::array<std::array<std::uint8_t, kCp932TrailCount>, std::size(kCp932Leads)> mark{};

  EncodeTable() {
    for (int pass = 0; pass < 4; ++pass) {
      for (unsigned lead : kCp932Leads) {
        if (LeadPreference(lead) != pass) continue;
        for (int t = 0; t < kCp932TrailCount; ++t) {
          const char16_t cp = kCp932Table[LeadRow(lead)][t];
          if (cp == 0) continue;
          const auto here = static_cast<std::uint16_t>(lead << 8 | (0x40 + t));
          if (code[cp] == 0) {
            code[cp] = here;
            continue;
          }
          // Another code of the same character: the next free marker.
          std::uint8_t index = 0;
          for (const auto& [key, alternative] : alternatives) {
            if (key >> 4 == cp) index = std::max<std::uint8_t>(index, static_cast<std::uint8_t>((key & 0xF) + 1));
          }
          alternatives.emplace_back(static_cast<std::uint32_t>(cp) << 4 | index, here);
          mark[static_cast<std::size_t>(LeadRow(lead))][static_cast<std::size_t>(t)] = static_cast<std::uint8_t>(index + 1);
        }
      }
    }
    std::sort(alternatives.begin(), alternatives.end());
    for (unsigned b = 0xA1; b <= 0xDF; ++b) code[0xFF61 + b - 0xA1] = static_cast<std::uint16_t>(b);
    for (unsigned b = 0x80; b <= 0xFF; ++b) code[kRawByteBase + b] = static_cast<std::uint16_t>(b);
  }

  // The code of `cp` marked with the variation selector `index`; 0 if none.
  std::uint16_t Alternative(char32_t cp, unsigned index) const {
    const std::uint32_t key = static_cast<std::uint32_t>(cp) << 4 | index;
    const auto it = std::lower_bound(alternatives.begin(), alternatives.end(), std::pair{key, std::uint16_t{0}});
    return it != alternatives.end() && it->first == key ? it->second : 0;
  }
};

const EncodeTable& Encoder() {
  static const auto* table = new EncodeTable();
  return *table;
}

// Length of the run of ASCII bytes starting at `p`, at most `n`.
std::size_t AsciiRun(const unsigned char* p, std::size_t n) {
  std::size_t i = 0;
#if defined(__SSE2__)
  // Sixty-four bytes a step while all are ASCII (no byte's high bit set).
  const auto* bytes = reinterpret_cast<const char*>(p);
  for (; i + 64 <= n; i += 64) {
    const __m128i any = byte_scan::Load16(bytes + i) | byte_scan::Load16(bytes + i + 16) |
                        byte_scan::Load16(bytes + i + 32) | byte_scan::Load16(bytes + i + 48);
    if (_mm_movemask_epi8(any) != 0) break;
  }
#endif
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    if (word & 0x8080808080808080ULL) break;
  }
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

// Writes a CP932 code (a byte or a double-byte code) to `out`.
int WriteCode(std::uint16_t code, char* out) {
  if (code < 0x100) {
    out[0] = static_cast<char>(code);
    return 1;
  }
  out[0] = static_cast<char>(code >> 8);
  out[1] = static_cast<char>(code & 0xFF);
  return 2;
}

// The character at `pos` of UTF-8 `text` (a marked duplicate with its
// variation selector) as CP932 written to `out`: the byte count, or 0 when
// CP932 cannot hold it. Advances `pos` past the character.
int EncodeNext(std::string_view text, std::size_t& pos, char* out) {
  const char32_t cp = NextCodePoint(text, pos);
  if (cp < 0x80) {
    out[0] = static_cast<char>(cp);
    return 1;
  }
  if (cp > 0xFFFF) return 0;
  std::size_t after = pos;
  if (after < text.size()) {
    const char32_t next = NextCodePoint(text, after);
    if (IsVariationSelector(next)) {
      const std::uint16_t alternative = Encoder().Alternative(cp, next - kFirstVariationSelector);
      if (alternative == 0) return 0;
      pos = after;
      return WriteCode(alternative, out);
    }
  }
  const std::uint16_t code = Encoder().code[cp];
  return code == 0 ? 0 : WriteCode(code, out);
}

// Number of bytes of 0x80 and above. The high bits of a word are moved to
// the low bit of their bytes and summed into the top byte by one
// multiplication (at most 8, so no carry is lost): a population count is no
// instruction of the baseline x86-64 set, and the builtin calls libgcc once
// per word.
std::size_t CountHighBytes(const unsigned char* p, std::size_t n) {
  std::size_t count = 0, i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, p + i, 8);
    count += static_cast<std::size_t>((((word & 0x8080808080808080ULL) >> 7) * 0x0101010101010101ULL) >> 56);
  }
  for (; i < n; ++i) count += p[i] >> 7;
  return count;
}

// Copies `in` to `out` with runs of ASCII bytes copied as they are and
// every other character handed to `other(i, out)`, which writes it, moves
// `i` past it and returns the new end of the output.
template <typename Other>
char* CopyAsciiRuns(const unsigned char* in, std::size_t n, char* out, Other&& other) {
  std::size_t i = 0;
  while (i < n) {
    const std::size_t run = AsciiRun(in + i, n - i);
    std::memcpy(out, in + i, run);
    out += run;
    i += run;
    if (i < n) out = other(i, out);
  }
  return out;
}

}  // namespace

bool IsAscii(std::string_view bytes) {
  return AsciiRun(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) == bytes.size();
}

std::string DecodeCp932(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  if (AsciiRun(p, n) == n) return std::string(bytes);
  const std::size_t high = CountHighBytes(p, n);
  // An ASCII byte gives one UTF-8 byte; a double-byte code gives at most
  // six (a marked duplicate), and each holds at least one high byte.
  std::string result(n + 5 * high, '\0');
  char* out = CopyAsciiRuns(p, n, result.data(), [p, n](std::size_t& i, char* at) {
    const unsigned b = p[i];
    if (b >= 0xA1 && b <= 0xDF) {
      ++i;
      return at + WriteUtf8(at, 0xFF61 + (b - 0xA1));
    }
    if (IsLeadByte(b) && i + 1 < n) {
      const unsigned t = p[i + 1];
      if (t >= 0x40 && t <= 0xFC) {
        const char16_t cp = kCp932Table[LeadRow(b)][t - 0x40];
        if (cp != 0) {
          at += WriteUtf8(at, cp);
          if (const std::uint8_t mark = Encoder().mark[static_cast<std::size_t>(LeadRow(b))][t - 0x40]) {
            at += WriteUtf8(at, kFirstVariationSelector + mark - 1);
          }
          i += 2;
          return at;
        }
      }
    }
    ++i;
    return at + WriteUtf8(at, kRawByteBase + b);
  });
  result.resize(static_cast<std::size_t>(out - result.data()));
  return result;
}

void DecodeCp932InPlace(std::string& text) {
  if (!IsAscii(text)) {
    text = DecodeCp932(text);
  }
}

std::optional<Unencodable> FindUnencodable(std::string_view text) {
  int line = 1;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    char scratch[2];
    if (EncodeNext(text, pos, scratch) == 0) {
      std::size_t after = start;
      const char32_t cp = NextCodePoint(text, after);
      // A character CP932 holds, followed by a variation selector that marks
      // none of its codes: the selector is what cannot be written.
      if (cp != kInvalidCodePoint && cp <= 0xFFFF && Encoder().code[cp] != 0 && after < text.size()) {
        std::size_t end = after;
        return Unencodable{after, NextCodePoint(text, end), line};
      }
      return Unencodable{start, cp, line};
    }
    const char c = text[start];
    if (c == '\n' || (c == '\r' && (pos >= text.size() || text[pos] != '\n'))) ++line;
  }
  return std::nullopt;
}

std::string UnencodableMessage(std::string_view text, const Unencodable& where) {
  std::string message = "Shift-JIS で表せない文字があります: " + std::to_string(where.line) + " 行目の";
  if (where.code_point == kInvalidCodePoint) {
    return message + "不正な UTF-8 のバイト";
  }
  std::size_t end = where.offset;
  NextCodePoint(text, end);
  return message + "「" + std::string(text.substr(where.offset, end - where.offset)) + "」(" +
         CodePointName(where.code_point) + ")";
}

namespace {

std::string Encoded(std::string_view text, int first_line) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::string result;
  result.resize(n);  // CP932 is never longer than UTF-8
  char* out = CopyAsciiRuns(p, n, result.data(), [&text, n, first_line](std::size_t& i, char* at) {
    const std::size_t start = i;
    const int written = EncodeNext(text, i, at);
    if (written == 0) {
      auto where = FindUnencodable(text.substr(0, std::min(n, start + 8)));
      where->line += first_line - 1;
      FailWithText(FailureKind::kInvalidArgument, UnencodableMessage(text, *where));
    }
    return at + written;
  });
  result.resize(static_cast<std::size_t>(out - result.data()));
  return result;
}

}  // namespace

std::string EncodeCp932(std::string_view text) { return Encoded(text, 1); }

void EncodeCp932InPlace(std::string& text, int first_line) {
  if (!IsAscii(text)) {
    text = Encoded(text, first_line);
  }
}

}  // namespace kovrel
