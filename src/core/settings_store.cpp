// The value rules of the settings store and its in-memory implementation.
#include "core/settings_store.h"

#include <charconv>
#include <cmath>

#include "core/number_format.h"

namespace kovrel {
namespace {

std::string MapKey(std::string_view section, std::string_view key) {
  return AsciiLower(section) + "/" + AsciiLower(key);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The general number form with a zero before the point (".5" -> "0.5").
std::string SettingNumberText(const std::string& text) {
  // Built anew rather than inserted into: GCC 12 at -O3 warns (wrongly)
  // about overlapping copies in std::string::insert.
  if (text[0] == '.') return std::string(1, '0').append(text);
  if (text.size() > 1 && text[0] == '-' && text[1] == '.') return std::string("-0").append(text, 1);
  return text;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::optional<std::string> MemorySettingsStore::Read(std::string_view section, std::string_view key) const {
  const auto it = values_.find(MapKey(section, key));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Write(std::string_view section, std::string_view key, std::string_view value) {
  values_[MapKey(section, key)] = std::string(value);
}

std::optional<double> ParseSettingNumber(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string GetSetting(const SettingsStore& store, std::string_view section, std::string_view key,
                       std::string_view fallback) {
  auto value = store.Read(section, key);
  return value ? *value : std::string(fallback);
}

double GetNumberSetting(const SettingsStore& store, std::string_view section, std::string_view key,
                        double fallback) {
  const auto value = store.Read(section, key);
  if (!value) return fallback;
  return ParseSettingNumber(*value).value_or(fallback);
}

bool GetBoolSetting(const SettingsStore& store, std::string_view section, std::string_view key, bool fallback) {
  const auto value = store.Read(section, key);
  if (!value) return fallback;
  const std::string word = AsciiLower(Trim(*value));
  if (word == "true") return true;
  if (word == "false") return false;
  if (const auto number = ParseSettingNumber(word)) return *number != 0.0;
  return fallback;
}

void SaveSetting(SettingsStore& store, std::string_view section, std::string_view key, std::string_view value) {
  store.Write(section, key, value);
}

void SaveNumberSetting(SettingsStore& store, std::string_view section, std::string_view key, double value) {
  store.Write(section, key, SettingNumberText(FormatGeneral(value)));
}

void SaveSingleSetting(SettingsStore& store, std::string_view section, std::string_view key, float value) {
  store.Write(section, key, SettingNumberText(FormatGeneral(value)));
}

void SaveBoolSetting(SettingsStore& store, std::string_view section, std::string_view key, bool value) {
  store.Write(section, key, value ? "True" : "False");
}

}  // namespace kovrel
