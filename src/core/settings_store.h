// The per-user settings store: string values by section and key, keys and
// sections matched without regard to case. The rules of the values live here
// once: a missing key gives the caller's default, numbers are written in
// their shortest decimal form and read back locale-neutrally, booleans are
// written True/False and read in any letter case or as numbers.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kovrel {

/// Storage of the settings; the desktop program keeps them in QSettings,
/// tests in memory.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  /// The stored value, or std::nullopt when the key is missing.
  virtual std::optional<std::string> Read(std::string_view section, std::string_view key) const = 0;
  /// Stores the value at once.
  virtual void Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

/// Settings held in memory, for tests and for runs without a store.
class MemorySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
  void Write(std::string_view section, std::string_view key, std::string_view value) override;
  /// Number of values stored.
  std::size_t size() const { return values_.size(); }

 private:
  std::map<std::string, std::string> values_;  // "section/key" in lower case
};

/// Lower-case ASCII copy, used to match keys without regard to case.
std::string AsciiLower(std::string_view text);

std::string GetSetting(const SettingsStore& store, std::string_view section, std::string_view key,
                       std::string_view fallback);
/// A number; the default when the key is missing or the value is not a number.
double GetNumberSetting(const SettingsStore& store, std::string_view section, std::string_view key,
                        double fallback);
/// A boolean: True/False in any case, or a number (0 false, else true); the
/// default when missing or unreadable.
bool GetBoolSetting(const SettingsStore& store, std::string_view section, std::string_view key, bool fallback);

void SaveSetting(SettingsStore& store, std::string_view section, std::string_view key, std::string_view value);
/// Writes the shortest decimal text ("8000", "0.5", "-12.25").
void SaveNumberSetting(SettingsStore& store, std::string_view section, std::string_view key, double value);
/// Writes a window coordinate, a single-precision number.
void SaveSingleSetting(SettingsStore& store, std::string_view section, std::string_view key, float value);
void SaveBoolSetting(SettingsStore& store, std::string_view section, std::string_view key, bool value);

/// Parses a whole settings value as a number (surrounding blanks allowed).
std::optional<double> ParseSettingNumber(std::string_view text);

}  // namespace kovrel
