// The word-at-a-time scans and the one-pass letter tables against the
// byte-by-byte searches they stand for, on random texts at every offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_scan.h"
#include "core/digit_run.h"
#include "core/line_words.h"
#include "core/nc_blocks.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// A random text of bytes that the scans look for and bytes next to them:
// control characters, the separators, letters, digits and bytes of 128 up.
std::string RandomText(std::mt19937& random, std::size_t length) {
  static constexpr char kBytes[] = {',', '%', '*', '\r', '\n', '\t', 0x13, 0x14, 0x15, ' ', '0', '3', '9', 'A', 'G',
                                    'G', 'X', 'Y', 'Z', '@', '[', 'a', '\x7f', '\x80', '\x93', '\xe3', '\xff', 0x01};
  std::string text;
  for (std::size_t k = 0; k < length; ++k) {
    // Mostly plain digits, so that long runs without a match are scanned too.
    text += random() % 3 == 0 ? kBytes[random() % sizeof kBytes] : static_cast<char>('0' + random() % 10);
  }
  return text;
}

// A text in a heap block of exactly its size: the sanitizers catch a read
// past its end, which a string's spare room would hide.
struct Exact {
  explicit Exact(std::string_view text) : bytes(new char[text.size()]) {
    std::copy(text.begin(), text.end(), bytes.get());
    view = std::string_view(bytes.get(), text.size());
  }
  std::unique_ptr<char[]> bytes;
  std::string_view view;
};

std::size_t SlowFind(std::string_view text, std::size_t pos, auto&& match) {
  for (; pos < text.size(); ++pos) {
    if (match(static_cast<unsigned char>(text[pos]))) return pos;
  }
  return std::string_view::npos;
}

TEST(ByteScan, WordScansFindWhatTheByteLoopFinds) {
  std::mt19937 random(5);
  for (int round = 0; round < 3000; ++round) {
    const Exact exact(RandomText(random, random() % 40));
    const std::string_view text = exact.view;
    for (std::size_t pos = 0; pos <= text.size(); ++pos) {
      ASSERT_EQ((FindAnyOf<',', '\r', '\n'>(text, pos)),
                SlowFind(text, pos, [](unsigned char c) { return c == ',' || c == '\r' || c == '\n'; }))
          << text << " @" << pos;
      ASSERT_EQ((FindControlOrAnyOf<20, ',', '%'>(text, pos)),
                SlowFind(text, pos, [](unsigned char c) { return c < 20 || c == ',' || c == '%'; }))
          << text << " @" << pos;
      ASSERT_EQ((FindControlOrAnyOf<128>(text, pos)), SlowFind(text, pos, [](unsigned char c) { return c < 128; }));
    }
    // Every place in order, up to a stop after the first few.
    const std::size_t stop = random() % 6;
    std::vector<std::size_t> visited, expected;
    VisitEachOf<',', 'G', 'X', '\x93'>(text, [&](std::size_t k) {
      visited.push_back(k);
      return visited.size() < stop;
    });
    for (std::size_t k = SlowFind(text, 0, [](unsigned char c) { return c == ',' || c == 'G' || c == 'X' || c == 0x93; });
         k != std::string_view::npos && expected.size() < std::max<std::size_t>(stop, 1);
         k = SlowFind(text, k + 1, [](unsigned char c) { return c == ',' || c == 'G' || c == 'X' || c == 0x93; })) {
      expected.push_back(k);
    }
    ASSERT_EQ(visited, expected) << text << " stop " << stop;
  }
}

// CR LF pairs split across the scan's blocks (a CR last in one block, its
// LF first in the next), lone ones anywhere, and texts of pairs only.
TEST(ByteScan, LoneLineEndsFoundAcrossBlocks) {
  const auto slow = [](std::string_view text) {
    for (std::size_t k = 0; k < text.size(); ++k) {
      if (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n')) return true;
      if (text[k] == '\n' && (k == 0 || text[k - 1] != '\r')) return true;
    }
    return false;
  };
  std::mt19937 random(11);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const std::size_t length = random() % 70;
    const bool pairs_only = round % 2 == 0;
    while (text.size() < length) {
      const unsigned pick = random() % 6;
      if (pick == 0) {
        text += "\r\n";
      } else if (pick == 1 && !pairs_only) {
        text += random() % 2 ? '\r' : '\n';
      } else {
        text += 'X';
      }
    }
    const Exact exact(text);
    ASSERT_EQ(HasLoneLineEnds(exact.view), slow(text)) << round;
  }
}

TEST(FirstLetters, EveryCapitalAtItsFirstPlaceAndTheMotionWords) {
  std::mt19937 random(9);
  for (int round = 0; round < 20000; ++round) {
    const Exact exact(RandomText(random, random() % 40));
    const std::string_view text = exact.view;
    const FirstLetters letters(text);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      ASSERT_EQ(letters[letter], FindLetter(text, std::string(1, letter))) << text << " " << letter;
      ASSERT_EQ(letters.Has(letter), HasLetter(text, std::string(1, letter)));
    }
    unsigned words = 0;
    for (unsigned n = 0; n < 4; ++n) words |= HasLetter(text, "G0" + std::to_string(n)) ? 1u << n : 0u;
    ASSERT_EQ(MotionWords(text), words) << text;
    ASSERT_EQ(IsMotionItem(text), words != 0) << text;
  }
}

// SplitBlocks as its rule says, one byte at a time.
std::string BlocksByTheRule(std::string_view text, std::string_view separator, bool drop_parameters) {
  std::string blocks, block;
  bool parameter = false;
  for (const char c : text) {
    if (drop_parameters && c == '%') {
      parameter = !parameter;
    } else if (parameter) {
      continue;
    } else if (!separator.empty() && c == separator.front()) {
      blocks += block + "\r\n";
      block.clear();
    } else if (std::string_view(",\n\r*").find(c) == std::string_view::npos) {
      block += c;
    }
  }
  return blocks + block + "\r\n";
}

TEST(BlockReader, BlocksAsTheRuleSplitsThem) {
  std::mt19937 random(13);
  for (int round = 0; round < 20000; ++round) {
    const std::string text = RandomText(random, random() % 60);
    for (const bool drop : {false, true}) {
      for (const std::string_view separator : {"", "*", "\n", "\r", "X"}) {
        ASSERT_EQ(SplitBlocks(text, separator, drop), BlocksByTheRule(text, separator, drop))
            << text << " [" << separator << "] " << drop;
      }
    }
  }
}

TEST(LeadingDigits, EightBytesReadAsTheDigitsOneByOne) {
  // Digits among the bytes next to them ("/" and ":"), and others a
  // borrow or carry could disturb; every count from none to eight.
  static constexpr char kOthers[] = {'/', ':', ',', '.', '-', ' ', 'X', '\0', '\x7f', '\x80', '\xff', '\xc0'};
  std::mt19937 random(3);
  for (int round = 0; round < 200000; ++round) {
    char bytes[8];
    for (char& c : bytes) {
      c = random() % 4 != 0 ? static_cast<char>('0' + random() % 10) : kOthers[random() % sizeof kOthers];
    }
    int count = 0;
    std::uint64_t value = 0;
    while (count < 8 && bytes[count] >= '0' && bytes[count] <= '9') value = value * 10 + static_cast<std::uint64_t>(bytes[count++] - '0');
    std::uint64_t read = 12345;
    ASSERT_EQ(LeadingDigits(bytes, read), count) << std::string_view(bytes, 8);
    ASSERT_EQ(read, value) << std::string_view(bytes, 8);
  }
}

}  // namespace
}  // namespace kovrel
