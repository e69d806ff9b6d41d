// The coordinate sample of the format detection.
#include "detect/coordinate_sample.h"

#include <algorithm>

#include "core/text_reader.h"

namespace kovrel {
namespace {

// Windows of the text beyond the head, each read up to its last whole line.
constexpr int kWindows = 32;
constexpr std::size_t kWindowBytes = 2048;
// Enough numbers for the statistics; the reading stops there.
constexpr int kMaxNumbers = 4000;


class Sampler {
 public:
  explicit Sampler(bool gerber) : gerber_(gerber) {}

  // One line of the text, numbered (0 beyond the head).
  void Line(std::string_view line, int number) {
    if (Full()) return;
    if (!gerber_) {
      const std::string_view trimmed = TrimBlanks(line);
      if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '(') return;
      Block(trimmed, number);
      return;
    }
    // Gerber: blocks end at "*"; "%" opens and closes parameter blocks.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (i < line.size() && line[i] != '*' && line[i] != '%') continue;
      if (!in_parameters_) {
        const std::string_view block = TrimBlanks(line.substr(start, i - start));
        if (!block.starts_with("G04")) Block(block, number);
      }
      if (i < line.size() && line[i] == '%') in_parameters_ = !in_parameters_;
      start = i + 1;
    }
  }

  // A window beyond the head: its first and last partial lines are left out;
  // Gerber parameter blocks cannot be told apart there, so blocks with "%"
  // or an aperture are left out too.
  void Window(std::string_view window) {
    const std::size_t first = window.find_first_of(gerber_ ? "\r\n*" : "\r\n");
    const std::size_t last = window.find_last_of(gerber_ ? "\r\n*" : "\r\n");
    if (first == std::string_view::npos || last <= first) return;
    window = window.substr(first + 1, last - first - 1);
    if (!gerber_) {
      LineReader reader(window, true);
      std::string_view line;
      while (reader.Next(line)) Line(line, 0);
      return;
    }
    std::size_t start = 0;
    while (start <= window.size() && !Full()) {
      std::size_t end = window.find('*', start);
      if (end == std::string_view::npos) end = window.size();
      const std::string_view block = TrimBlanks(window.substr(start, end - start));
      if (block.find_first_of("%") == std::string_view::npos && block.find("AD") == std::string_view::npos &&
          block.find("AM") == std::string_view::npos && !block.starts_with("G04")) {
        Block(block, 0);
      }
      start = end + 1;
    }
  }

  bool Full() const { return runs_.numbers >= kMaxNumbers; }
  const DigitRuns& runs() const { return runs_; }

 private:
  void Block(std::string_view block, int number) {
    for (std::size_t i = 0; i < block.size(); ++i) {
      if (block[i] != 'X' && block[i] != 'Y') continue;
      std::size_t at = i + 1;
      if (at < block.size() && (block[at] == '-' || block[at] == '+')) ++at;
      const std::size_t digits = at;
      bool point = false;
      while (at < block.size() && (IsAsciiDigit(block[at]) || (block[at] == '.' && !point))) {
        point = point || block[at] == '.';
        ++at;
      }
      if (at == digits || (point && at == digits + 1)) continue;  // no number after the letter
      Number(block.substr(digits, at - digits), point, Evidence{number, std::string(Shortened(block))});
      i = at - 1;
    }
  }

  void Number(std::string_view digits, bool point, const Evidence& where) {
    ++runs_.numbers;
    if (runs_.numbers == 1) runs_.first = where;
    if (point) {
      if (runs_.with_point++ == 0) runs_.point_at = where;
      return;
    }
    const int length = static_cast<int>(digits.size());
    if (length > runs_.longest) {
      runs_.longest = length;
      runs_.longest_at = where;
    }
    ++runs_.by_length[static_cast<std::size_t>(std::min(length, static_cast<int>(runs_.by_length.size()) - 1))];
    if (length < 2 || digits.find_first_not_of('0') == std::string_view::npos) return;
    ++runs_.runs;
    if (digits.front() == '0' && runs_.leading_zero++ == 0) runs_.leading_zero_at = where;
    if (digits.back() == '0' && runs_.trailing_zero++ == 0) runs_.trailing_zero_at = where;
  }

  bool gerber_;
  bool in_parameters_ = false;
  DigitRuns runs_;
};

}  // namespace

std::string_view Shortened(std::string_view text) {
  constexpr std::size_t kMaxBytes = 48;
  text = TrimBlanks(text);
  if (text.size() <= kMaxBytes) return text;
  std::size_t cut = kMaxBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

DigitRuns SampleCoordinates(std::string_view text, std::size_t head, bool gerber) {
  Sampler sampler(gerber);
  LineReader reader(text.substr(0, head), true);
  std::string_view line;
  for (int number = 1; reader.Next(line) && !sampler.Full(); ++number) sampler.Line(line, number);
  if (text.size() > head) {
    const std::size_t rest = text.size() - head;
    for (int k = 0; k < kWindows && !sampler.Full(); ++k) {
      const std::size_t at = head + rest / kWindows * static_cast<std::size_t>(k);
      sampler.Window(text.substr(at, kWindowBytes));
    }
  }
  return sampler.runs();
}

ZeroGuess GuessZeros(const DigitRuns& runs) {
  constexpr int kEnough = 3;  // fewer numbers say nothing
  ZeroGuess guess;
  if (runs.numbers < kEnough) return guess;
  if (runs.with_point * 2 >= runs.numbers) {
    guess.zeros = ZeroSuppression::kDecimalPoint;
    guess.evidence = runs.point_at;
    return guess;
  }
  if (runs.runs < kEnough) return guess;
  // A writer that leaves out leading zeros never starts a number with 0,
  // one that leaves out trailing zeros never ends one with 0; one that
  // writes every digit does both, and its numbers share one length.
  if (runs.leading_zero > 0 && runs.trailing_zero == 0) {
    guess.zeros = ZeroSuppression::kTrailing;
    guess.evidence = runs.leading_zero_at;
  } else if (runs.leading_zero == 0 && runs.trailing_zero > 0) {
    guess.zeros = ZeroSuppression::kLeading;
    guess.evidence = runs.trailing_zero_at;
  } else if (runs.leading_zero > 0 && runs.trailing_zero > 0) {
    const auto common = std::max_element(runs.by_length.begin() + 2, runs.by_length.end() - 1);
    int total = 0;
    for (std::size_t i = 2; i < runs.by_length.size(); ++i) total += runs.by_length[i];
    if (*common * 10 >= total * 9) {  // nine in ten share the length
      guess.zeros = ZeroSuppression::kNone;
      guess.full_width = static_cast<int>(common - runs.by_length.begin());
      guess.evidence = runs.leading_zero_at;
    }
  }
  return guess;
}

}  // namespace kovrel
