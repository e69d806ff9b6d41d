// The CP932 codec: lossless round trips, the duplicate codes, unencodable
// characters, and agreement with the system's iconv conversion.
#include "core/cp932.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include <string>

#include "core/failure.h"

namespace kovrel {
namespace {

// Converts with the C library's iconv; std::nullopt when it refuses.
std::optional<std::string> Iconv(const char* to, const char* from, std::string input) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string output(input.size() * 4 + 8, '\0');
  char* in = input.data();
  char* out = output.data();
  std::size_t in_left = input.size(), out_left = output.size();
  const std::size_t done = iconv(cd, &in, &in_left, &out, &out_left);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
  output.resize(output.size() - out_left);
  return output;
}

TEST(Cp932, DecodesAsciiKatakanaAndKanji) {
  EXPECT_EQ(DecodeCp932("G01X-12.5\r\n"), "G01X-12.5\r\n");
  EXPECT_EQ(DecodeCp932("\x82\xa0\x8a\xbf\x8e\x9a"), "あ漢字");
  EXPECT_EQ(DecodeCp932("\xb1\xdd"), "ｱﾝ");
  EXPECT_EQ(DecodeCp932("\x5c\x7e"), "\\~");
  EXPECT_EQ(DecodeCp932(std::string("\0A", 2)), std::string("\0A", 2));
  EXPECT_EQ(DecodeCp932(""), "");
}

TEST(Cp932, JapaneseTextAndInvalidBytesSurviveByteForByte) {
  const std::string cases[] = {
      "(\x8c\x8a\x82\xa0\x82\xaf) T01\x83\xd3" "1.0\r\nX10Y20\r",  // 穴あけ T01φ1.0
      "\x80\xa0\xfd\xfe\xff",                                     // bytes CP932 never uses
      "\x81",                                                     // lead byte at the end
      "\x85\x40\x81\x20\x82\x7f",                                 // undefined codes, bad trail bytes
      "\x81\x81\x81",                                             // a lead byte before a valid pair
      "\xf0\x40\xf9\xfc",                                         // user-defined characters
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(EncodeCp932(DecodeCp932(bytes)), bytes) << testing::PrintToString(bytes);
  }
  std::string every_byte;  // each byte alone: a NUL is never a trail byte
  for (int b = 0; b < 256; ++b) every_byte += {static_cast<char>(b), '\0'};
  EXPECT_EQ(EncodeCp932(DecodeCp932(every_byte)), every_byte);
  EXPECT_EQ(DecodeCp932("\xff"), "\xef\xa1\xbf");  // U+F87F = U+F780 + 0xFF
}

// One kanji at every place of a long ASCII text (the ASCII check takes
// sixty-four bytes a step): found, and decoded and encoded in place.
TEST(Cp932, OneDoubleByteCodeAnywhereInALongText) {
  for (std::size_t at = 0; at <= 150; ++at) {
    std::string bytes(150, 'X');
    bytes.insert(at, "\x8a\xbf");  // 漢
    EXPECT_FALSE(IsAscii(bytes)) << at;
    EXPECT_TRUE(IsAscii(std::string_view(bytes).substr(0, at))) << at;
    std::string text = bytes;
    DecodeCp932InPlace(text);
    EXPECT_EQ(text, std::string(at, 'X') + "漢" + std::string(150 - at, 'X')) << at;
    EncodeCp932InPlace(text, 1);
    EXPECT_EQ(text, bytes) << at;
  }
}

TEST(Cp932, DuplicateCodesKeepTheirOwnBytes) {
  // NEC 87 90 and standard 81 E0 are both "≒": the standard code decodes to
  // the plain character, the NEC code to the character marked by U+FE00.
  EXPECT_EQ(DecodeCp932("\x81\xe0"), "≒");
  EXPECT_EQ(DecodeCp932("\x87\x90"), "≒\xef\xb8\x80");
  EXPECT_EQ(EncodeCp932("≒"), "\x81\xe0");
  // "∵" has three codes: 81 E6, NEC 87 9A and IBM FA 5B.
  EXPECT_EQ(DecodeCp932("\x87\x9a"), "∵\xef\xb8\x80");
  EXPECT_EQ(DecodeCp932("\xfa\x5b"), "∵\xef\xb8\x81");
  EXPECT_EQ(EncodeCp932(DecodeCp932("\xed\xed\x87\x90\xfa\x5b\xee\xf9\x87\x9a")),
            "\xed\xed\x87\x90\xfa\x5b\xee\xf9\x87\x9a");
  // A stray lead byte before a duplicate code stays a byte of its own.
  EXPECT_EQ(EncodeCp932(DecodeCp932("\xee\xee\x41")), "\xee\xee\x41");

  // Every double-byte code survives, and the ones that share a character
  // are exactly the ones that carry a marker.
  int marked = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string text = DecodeCp932(code);
      ASSERT_EQ(EncodeCp932(text), code) << std::hex << lead << " " << trail;
      if (text.find("\xef\xb8") != std::string::npos) {
        ++marked;
        ASSERT_NE(EncodeCp932(text.substr(0, text.size() - 3)), code);
      }
    }
  }
  EXPECT_GT(marked, 350);
  EXPECT_LT(marked, 450);
}

TEST(Cp932, VariationSelectorThatMarksNoCodeIsUnencodable) {
  const auto stray = FindUnencodable("X1\r\nA\xef\xb8\x80");  // "A" has no duplicate
  ASSERT_TRUE(stray.has_value());
  EXPECT_EQ(stray->code_point, 0xFE00u);
  EXPECT_EQ(stray->offset, 5u);
  EXPECT_EQ(stray->line, 2);
  const auto second = FindUnencodable("≒\xef\xb8\x81");  // "≒" has one duplicate only
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->code_point, 0xFE01u);
  EXPECT_THROW(EncodeCp932("\xef\xb8\x80"), Failure);
}

TEST(Cp932, UnencodableCharacterIsReportedWithItsLine) {
  const std::string text = "G01\r\nX1\r\n(\xf0\x9f\x98\x80)\r\n";  // 😀 on line 3
  try {
    EncodeCp932(text);
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 5);
    EXPECT_EQ(failure.description(), "Shift-JIS で表せない文字があります: 3 行目の「😀」(U+1F600)");
  }
  const auto where = FindUnencodable("A\nB\rC\r\nД€");
  ASSERT_TRUE(where.has_value());  // Cyrillic is in CP932; the euro sign is not
  EXPECT_EQ(where->code_point, U'€');
  EXPECT_EQ(where->line, 4);
  EXPECT_FALSE(FindUnencodable("漢字ｶﾅ\r\n").has_value());
  EXPECT_THROW(EncodeCp932("\xc3"), Failure);  // malformed UTF-8
}

TEST(Cp932, AgreesWithIconvOnEveryDoubleByteCode) {
  int compared = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const auto reference = Iconv("UTF-8", "CP932", code);
      if (!reference) continue;
      ++compared;
      // A duplicate code decodes to the same character, marked.
      std::string decoded = DecodeCp932(code);
      if (decoded.size() > 3 && decoded.compare(decoded.size() - 3, 2, "\xef\xb8") == 0) decoded.resize(decoded.size() - 3);
      ASSERT_EQ(decoded, *reference) << std::hex << lead << " " << trail;
      ASSERT_EQ(EncodeCp932(*reference), *Iconv("CP932", "UTF-8", *reference)) << std::hex << lead << " " << trail;
    }
  }
  if (compared == 0) GTEST_SKIP() << "iconv has no CP932 here";
  EXPECT_GT(compared, 7000);
}

}  // namespace
}  // namespace kovrel
