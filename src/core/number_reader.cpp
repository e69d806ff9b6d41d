// The number reader: collects the number's characters, then converts them
// with the locale-independent std::from_chars.
#include "core/number_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>

#include "core/failure.h"
#include "core/number_format.h"
#include "core/text_reader.h"
#include "core/utf8.h"

namespace kovrel {
namespace {

bool IsIgnored(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// &H / &O integer after the two-character prefix; `located.digits_end`
// becomes the end of its last digit.
double ReadRadixInteger(std::string_view text, std::size_t pos, int radix, NumberText& located) {
  std::uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (IsIgnored(c)) continue;
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (radix == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (radix == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    if (digit >= radix) break;
    if (value > (UINT64_MAX - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(radix)) {
      Fail(FailureKind::kOverflow, text);
    }
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
    located.has_digits = true;
    located.digits_end = located.end = pos + 1;
  }
  return static_cast<double>(value);
}

// The written exponent after E or D at `pos`, if digits follow: its value
// (capped far beyond any double) and the end of its last digit.
void ReadExponent(std::string_view text, std::size_t pos, NumberText& located) {
  if (pos >= text.size() || (text[pos] != 'E' && text[pos] != 'e' && text[pos] != 'D' && text[pos] != 'd')) return;
  std::size_t e = pos + 1;
  while (e < text.size() && IsIgnored(text[e])) ++e;
  bool negative = false;
  if (e < text.size() && (text[e] == '+' || text[e] == '-')) negative = text[e++] == '-';
  long value = 0;
  bool any = false;
  for (; e < text.size(); ++e) {
    if (IsIgnored(text[e])) continue;
    if (!IsAsciiDigit(text[e])) break;
    any = true;
    if (value < 100000) value = value * 10 + (text[e] - '0');
    located.end = e + 1;
  }
  if (any) located.exponent = negative ? -value : value;
}

// Powers of ten that a double holds exactly.
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The number as NC text writes it almost always, read in one short loop:
// digits with at most one point, up to 15 significant digits and 22
// places, and after them no blank, tab, line feed or exponent letter (the
// general reading reads on past those). Its value is the one the general
// reading computes: the digits as an integer divided by 10^places.
// False leaves the number to the general reading.
bool ReadLongPlainNumber(std::string_view text, std::size_t pos, bool negative, NumberText& located) {
  std::uint64_t digits = 0;
  int significant = 0, places = 0;
  bool point = false, any = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (IsAsciiDigit(c)) {
      any = true;
      if ((significant > 0 || c != '0') && ++significant > 15) return false;
      digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
      places += point;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!any || places > 22) return false;
  if (pos < text.size()) {
    const char c = text[pos];
    if (IsIgnored(c) || c == 'E' || c == 'e' || c == 'D' || c == 'd') return false;
  }
  located.has_digits = true;
  located.digits_end = located.end = pos;
  const auto whole = static_cast<double>(digits);
  const double value = significant == 0 ? 0.0 : places > 0 ? whole / kPowers[places] : whole;
  located.value = negative ? -value : value;
  return true;
}

// The same reading for the common number of at most 15 digits in all:
// its digits cannot be more than 15 significant ones, so the loops need
// not count them; a longer number goes through the counting loop above.
[[gnu::always_inline]] inline bool ReadPlainNumber(std::string_view text, std::size_t pos, bool negative,
                                                NumberText& located) {
  const char* const begin = text.data() + pos;
  const char* const end = text.data() + text.size();
  const char* p = begin;
  std::uint64_t digits = 0;
  for (; p < end && IsAsciiDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  int places = 0;
  const bool point = p < end && *p == '.';
  if (point) {
    const char* const fraction = ++p;
    for (; p < end && IsAsciiDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    places = static_cast<int>(p - fraction);
  }
  const int count = static_cast<int>(p - begin) - point;
  if (count > 15) return ReadLongPlainNumber(text, pos, negative, located);
  if (count == 0) return false;
  if (p < end) {
    const char c = *p;
    if (IsIgnored(c) || c == 'E' || c == 'e' || c == 'D' || c == 'd') return false;
  }
  located.has_digits = true;
  located.digits_end = located.end = static_cast<std::size_t>(p - text.data());
  const auto whole = static_cast<double>(digits);
  const double value = places > 0 ? whole / kPowers[places] : whole;
  located.value = negative ? -value : value;
  return true;
}

}  // namespace

namespace {

// The general reading: blanks, "&H" and "&O", exponents, any length.
[[gnu::noinline]] NumberText LocateAnyNumber(std::string_view text) {
  NumberText located;
  std::size_t pos = 0;
  while (pos < text.size() && IsIgnored(text[pos])) ++pos;
  located.begin = located.digits_end = located.end = pos;
  if (pos + 1 < text.size() && text[pos] == '&') {
    std::size_t next = pos + 1;
    while (next < text.size() && IsIgnored(text[next])) ++next;
    if (next < text.size()) {
      const char kind = text[next];
      if (kind == 'H' || kind == 'h') located.value = ReadRadixInteger(text, next + 1, 16, located);
      if (kind == 'O' || kind == 'o') located.value = ReadRadixInteger(text, next + 1, 8, located);
    }
    return located;
  }

  // The significant digits go into a small buffer as "0.ddd" followed by
  // the decimal exponent, so a number of any length reads its value:
  // leading zeros are skipped, digits past the buffer only move the point.
  char buffer[128];
  std::size_t length = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
    located.digits_end = pos;
  }
  if (ReadPlainNumber(text, pos, negative, located)) return located;
  buffer[length++] = '0';
  buffer[length++] = '.';
  constexpr std::size_t kMaxDigits = 96;
  long exponent = 0;  // the value is 0.ddd times 10^exponent
  bool point = false, significant = false;
  std::uint64_t mantissa = 0;  // the significant digits while they are few
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (IsIgnored(c)) continue;
    if (IsAsciiDigit(c)) {
      located.has_digits = true;
      located.digits_end = pos + 1;
      if (!significant && c == '0') {
        if (point) --exponent;  // 0.00ddd: the point moves right
        continue;
      }
      significant = true;
      if (length < kMaxDigits) buffer[length++] = c;
      if (length <= 17) mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (!point) ++exponent;
    } else if (c == '.' && !point) {
      point = true;
      located.digits_end = pos + 1;
    } else {
      break;
    }
  }
  located.end = located.digits_end;
  if (!located.has_digits) return located;
  ReadExponent(text, pos, located);
  if (!significant) {
    located.value = negative ? -0.0 : 0.0;
    return located;
  }

  exponent += located.exponent;
  // Up to 15 digits times a power of ten that a double holds exactly: one
  // correctly rounded multiplication or division gives the value.
  const long scale = exponent - static_cast<long>(length - 2);
  if (length - 2 <= 15 && scale >= -22 && scale <= 22) {
    const auto whole = static_cast<double>(mantissa);
    const double value = scale < 0 ? whole / kPowers[-scale] : whole * kPowers[scale];
    located.value = negative ? -value : value;
    return located;
  }
  buffer[length++] = 'e';
  const auto [end, ec] = std::to_chars(buffer + length, buffer + sizeof buffer, exponent);
  if (ec != std::errc()) Fail(FailureKind::kOverflow, text);
  length = static_cast<std::size_t>(end - buffer);

  double value = 0.0;
  const auto [parsed, error] = std::from_chars(buffer, buffer + length, value);
  if (error == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow is a failure.
    if (exponent < 0) {
      located.value = negative ? -0.0 : 0.0;
      return located;
    }
    Fail(FailureKind::kOverflow, text);
  }
  if (!std::isfinite(value)) Fail(FailureKind::kOverflow, text);
  located.value = negative ? -value : value;
  return located;
}

}  // namespace

NumberText LocateNumber(std::string_view text) {
  // A plain number right at the start, as NC text writes it, is read
  // without the general reading's set-up; it reads the same.
  NumberText located;
  if (!text.empty()) {
    const char first = text[0];
    const bool sign = first == '-' || first == '+';
    if (static_cast<std::size_t>(sign) < text.size() && ReadPlainNumber(text, sign, first == '-', located)) {
      return located;
    }
  }
  return LocateAnyNumber(text);
}

double ReadNumber(std::string_view text) { return LocateNumber(text).value; }

std::string_view NumberTextAfter(std::string_view line, std::size_t at, std::size_t next) {
  if (next == std::string_view::npos || next <= at) return line.substr(at + 1);
  return line.substr(at + 1, line.find_last_not_of(' ', next - 1) - at);
}

double ValueAfter(std::string_view line, std::string_view letter) {
  const std::size_t at = FindLetter(line, letter);
  return at == std::string_view::npos ? 0.0 : ReadNumber(line.substr(at + letter.size()));
}

double ValueAfterFirstCharacter(std::string_view line) {
  std::size_t first = 0;
  if (!line.empty()) NextCodePoint(line, first);
  return ReadNumber(line.substr(first));
}

float SingleAfter(std::string_view line, std::string_view letter) { return ToSingle(ValueAfter(line, letter)); }

long IntegerAfter(std::string_view line, char letter) {
  const std::size_t at = line.find(letter);
  if (at == std::string_view::npos) return 0;
  long value = 0;
  for (std::size_t i = at + 1; i < line.size() && IsAsciiDigit(line[i]); ++i) {
    if (value < 100000000L) value = value * 10 + (line[i] - '0');
  }
  return value;
}

double ReadLeadingZeroField(std::string_view text, int width) {
  static constexpr ByteSet kField("0123456789-");
  std::string_view digits = SpanOf(text, kField);
  const bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  // The digits first, then zeros up to the width: in a buffer of the stack
  // for the usual widths (a field is read for every coordinate).
  char buffer[32];
  std::string long_field;
  char* field = buffer;
  const auto size = static_cast<std::size_t>(std::max(width, 0));
  if (size > sizeof buffer) {
    long_field.resize(size);
    field = long_field.data();
  }
  digits = digits.substr(0, std::min(digits.size(), size));
  std::memcpy(field, digits.data(), digits.size());
  std::memset(field + digits.size(), '0', size - digits.size());
  const double value = ReadNumber(std::string_view(field, size));
  return negative ? -value : value;
}

std::string HalfWidthNumberText(std::string_view text) {
  // U+FF10..U+FF19 are EF BC 90..99; the point, signs and the ideographic
  // space, and the minus sign U+2212 an input method also gives.
  static constexpr struct {
    std::string_view wide;
    char ascii;
  } kForms[] = {{"\xEF\xBC\x8E", '.'}, {"\xEF\xBC\x8D", '-'}, {"\xEF\xBC\x8B", '+'},
                {"\xE3\x80\x80", ' '}, {"\xE2\x88\x92", '-'}};
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view rest = text.substr(i);
    if (rest.size() >= 3 && rest[0] == '\xEF' && rest[1] == '\xBC' && rest[2] >= '\x90' && rest[2] <= '\x99') {
      out += static_cast<char>('0' + (rest[2] - '\x90'));
      i += 3;
      continue;
    }
    bool replaced = false;
    for (const auto& form : kForms) {
      if (rest.starts_with(form.wide)) {
        out += form.ascii;
        i += form.wide.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

std::optional<double> TypedNumber(std::string_view text) {
  const std::string ascii = HalfWidthNumberText(text);
  std::string_view number = ascii;
  while (!number.empty() && IsIgnored(number.back())) number.remove_suffix(1);
  const NumberText located = LocateNumber(number);
  if (!located.has_digits || located.end != number.size()) return std::nullopt;
  return located.value;
}

}  // namespace kovrel
