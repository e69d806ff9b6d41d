// The settings store on QSettings: organisation Brellix, INI format, per
// user (~/.config/Brellix/Kovrel.ini); the store's sections are INI groups.
// Keys and sections are matched without regard to case.
#pragma once

#include <QSettings>
#include <QString>

#include "core/settings_store.h"

namespace kovrel {

class QtSettingsStore : public SettingsStore {
 public:
  /// The user's store.
  QtSettingsStore();
  /// A store in the INI file `path` (tests).
  explicit QtSettingsStore(const QString& path);

  std::optional<std::string> Read(std::string_view section, std::string_view key) const override;
  void Write(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  // The stored spelling of section/key, matched without regard to case;
  // empty when the key is not stored.
  QString StoredKey(std::string_view section, std::string_view key) const;

  mutable QSettings settings_;
};

}  // namespace kovrel
