// The conversion tables shipped in data/CVTBL: each pair is an exact inverse,
// real NC programs come back byte for byte, and the parity track of every
// ISO and EIA code is right (counted bit by bit).
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <set>
#include <string>

#include "core/file_io.h"
#include "texttools/tape_code.h"

namespace kovrel {
namespace {

const std::string kShipped = KOVREL_SHIPPED_DATA_DIR "/";

TapeTable Shipped(const char* name) { return LoadTapeTable(TablePath(kShipped, name), name); }

int Bits(std::uint8_t code) { return std::popcount(static_cast<unsigned>(code)); }

// Every bundled sample program.
std::vector<std::string> Samples() {
  std::vector<std::string> samples;
  for (const auto& entry : std::filesystem::directory_iterator(kShipped + "samples")) {
    samples.push_back(ReadFileBytes(entry.path().string()));
  }
  return samples;
}

TEST(ShippedTables, EveryTableReadsAndTheIdentityKeepsEveryByte) {
  EXPECT_EQ(TableNames(kShipped), (std::vector<std::string>{"EBCDIC-TO-TEXT", "EIA-TO-TEXT", "IDENTITY", "ISO-TO-TEXT",
                                                            "TEXT-TO-EBCDIC", "TEXT-TO-EIA", "TEXT-TO-ISO"}));
  const TapeTable identity = Shipped("IDENTITY");
  for (int k = 0; k < kTableSize; ++k) EXPECT_EQ(identity.map[static_cast<std::size_t>(k)], k);
}

TEST(ShippedTables, ToTapeAndBackGivesEveryByteOfTheSamples) {
  const std::vector<std::string> samples = Samples();
  ASSERT_FALSE(samples.empty());
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  for (const char* code : {"ISO", "EIA", "EBCDIC"}) {
    const TapeTable to = Shipped((std::string("TEXT-TO-") + code).c_str());
    const TapeTable back = Shipped((std::string(code) + "-TO-TEXT").c_str());
    for (const std::string& sample : samples) {
      const std::string tape = ConvertTape(sample, to);
      EXPECT_NE(tape, sample) << code;
      EXPECT_EQ(ConvertTape(tape, back), sample) << code;
    }
    EXPECT_EQ(ConvertTape(ConvertTape(every_byte, to), back), every_byte) << code;
    EXPECT_EQ(ConvertTape(ConvertTape(every_byte, back), to), every_byte) << code;
  }
}

TEST(ShippedTables, IsoPunchesEverySevenBitCharacterWithEvenParityOnTrack8) {
  const TapeTable iso = Shipped("TEXT-TO-ISO");
  for (int b = 0; b < 128; ++b) {
    const std::uint8_t code = iso.map[static_cast<std::size_t>(b)];
    EXPECT_EQ(Bits(code) % 2, 0) << b;
    EXPECT_EQ(code & 0x7F, b);
  }
  EXPECT_EQ(iso.map['\n'], 0x0A);  // end of block, already even
  EXPECT_EQ(iso.map['%'], 0xA5);
  // A byte ISO cannot carry (a Shift-JIS lead byte) comes out with odd
  // parity, as a parity error, never as another character.
  for (int b = 128; b < 256; ++b) EXPECT_EQ(Bits(iso.map[static_cast<std::size_t>(b)]) % 2, 1) << b;
}

TEST(ShippedTables, EiaPunchesTheNcCharactersWithOddParityOnTrack5) {
  const TapeTable eia = Shipped("TEXT-TO-EIA");
  const std::string carried = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ +-./,%()\t\b\r\n";
  std::set<std::uint8_t> codes;
  for (const char c : carried) {
    const std::uint8_t code = eia.map[static_cast<unsigned char>(c)];
    EXPECT_EQ(Bits(code) % 2, 1) << c;
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), carried.size());
  // Digits in the four low tracks with track 5 filling the parity; the end
  // of block alone in track 8; a space alone in track 5.
  for (int digit = 1; digit <= 9; ++digit) EXPECT_EQ(eia.map['0' + digit] & 0x0F, digit);
  EXPECT_EQ(eia.map['\r'], 0x80);
  EXPECT_EQ(eia.map[' '], 0x10);
  // The bytes of the samples that EIA carries all have odd parity; a
  // lower-case letter, which it does not carry, has even parity.
  for (const std::string& sample : Samples()) {
    for (const char c : sample) {
      if (carried.find(c) != std::string::npos) {
        EXPECT_EQ(Bits(eia.map[static_cast<unsigned char>(c)]) % 2, 1);
      }
    }
  }
  EXPECT_EQ(Bits(eia.map['x']) % 2, 0);
}

TEST(ShippedTables, EbcdicFollowsCodePage037) {
  const TapeTable ebcdic = Shipped("TEXT-TO-EBCDIC");
  EXPECT_EQ(ebcdic.map['A'], 0xC1);
  EXPECT_EQ(ebcdic.map['J'], 0xD1);
  EXPECT_EQ(ebcdic.map['0'], 0xF0);
  EXPECT_EQ(ebcdic.map[' '], 0x40);
  EXPECT_EQ(ebcdic.map['\n'], 0x25);
}

}  // namespace
}  // namespace kovrel
