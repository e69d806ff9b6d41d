// Reading the groups and entities of a DXF drawing.
#include "dxf/dxf_reader.h"

#include <charconv>
#include <cmath>

#include "core/text_reader.h"
#include "core/append.h"
#include "core/failure.h"
#include "core/number_reader.h"

namespace kovrel {
namespace {

[[noreturn]] void EndedEarly() { Fail(FailureKind::kInputPastEnd); }

bool IsGroup(const DxfGroup& group, int code, std::string_view value) {
  return group.code == code && TrimBlanks(group.value) == value;
}

}  // namespace

DxfGroup DxfGroupReader::Next() {
  std::string_view line;
  DxfGroup group;
  while (true) {
    if (!lines_.Next(line)) EndedEarly();
    // The code line as drawings write it: spaces, then digits (at most
    // nine, which an int holds) up to the line's end.
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end && *p == ' ') ++p;
    const char* const digits = p;
    int number = 0;
    for (; p < end && IsAsciiDigit(*p) && p - digits < 9; ++p) number = number * 10 + (*p - '0');
    if (p == end && p != digits) {
      group.code = number;
      break;
    }
    // Any other line: blanks around a whole number, or no code (-1); a
    // blank line is skipped.
    const std::string_view code = TrimBlanks(line);
    if (code.empty()) continue;
    const auto [code_end, error] = std::from_chars(code.data(), code.data() + code.size(), group.code);
    if (error != std::errc() || code_end != code.data() + code.size()) group.code = -1;
    break;
  }
  if (!lines_.Next(group.value)) EndedEarly();
  return group;
}

ConversionResult DrawingResult(std::string text, bool found, int skipped) {
  std::string message;
  if (skipped > 0) {
    Append(message, "押出し方向が Z 軸に沿っていない図形 ", std::to_string(skipped), " 個は変換しませんでした");
  }
  if (found) return ConversionResult(std::move(text), message);
  ConversionResult nothing = ConversionResult::NothingToConvert();
  if (!message.empty()) Append(nothing.message, kNothingToConvertMessage, "\n", message);
  return nothing;
}

const DxfGroup* DxfEntity::Find(int code) const {
  for (const DxfGroup& group : groups) {
    if (group.code == code) return &group;
  }
  return nullptr;
}

double DxfEntity::Number(int code, double absent) const {
  const DxfGroup* group = Find(code);
  return group == nullptr ? absent : ReadNumber(group->value);
}

unsigned DxfEntity::Flags(int code) const {
  const double value = Number(code);
  // A flag group is a 16-bit integer; anything else sets no flag.
  return value >= 0 && value <= 65535 ? static_cast<unsigned>(value) : 0u;
}

DxfExtrusion DxfEntity::Extrusion() const {
  const double x = Number(210), y = Number(220), z = Number(230, 1);
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0) || std::fabs(x) > 1e-9 * length || std::fabs(y) > 1e-9 * length) return DxfExtrusion::kOther;
  return z > 0 ? DxfExtrusion::kUp : DxfExtrusion::kDown;
}

DxfEntityReader::DxfEntityReader(std::string_view text) : groups_(text) {
  bool section = false;
  for (;;) {
    const DxfGroup group = groups_.Next();
    if (section && IsGroup(group, 2, "ENTITIES")) break;
    section = IsGroup(group, 0, "SECTION");
    if (IsGroup(group, 9, "$UCSORG")) {
      if (const DxfGroup x = groups_.Next(); x.code == 10) origin_x = ReadNumber(x.value);
      if (const DxfGroup y = groups_.Next(); y.code == 20) origin_y = ReadNumber(y.value);
    }
  }
  // Groups before the first entity belong to none.
  do {
    next_ = groups_.Next();
  } while (next_.code != 0);
}

void DxfEntityReader::ReadToEof() {
  while (!IsGroup(next_, 0, "EOF")) next_ = groups_.Next();
  done_ = true;
}

bool DxfEntityReader::Next(DxfEntity& entity) {
  while (!done_) {
    const std::string_view name = TrimBlanks(next_.value);
    if (name == "ENDSEC" || name == "EOF") {
      ReadToEof();
      return false;
    }
    entity.name = name;
    entity.groups.clear();
    for (next_ = groups_.Next(); next_.code != 0; next_ = groups_.Next()) entity.groups.push_back(next_);
    const DxfGroup* space = entity.Find(67);
    if (space == nullptr || ReadNumber(space->value) != 1) return true;
  }
  return false;
}

}  // namespace kovrel
