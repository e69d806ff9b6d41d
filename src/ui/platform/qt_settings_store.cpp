// QSettings-backed settings store.
#include "ui/platform/qt_settings_store.h"

namespace kovrel {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QtSettingsStore::QtSettingsStore() : settings_(QSettings::IniFormat, QSettings::UserScope, "Brellix", "Kovrel") {}

QtSettingsStore::QtSettingsStore(const QString& path) : settings_(path, QSettings::IniFormat) {}

QString QtSettingsStore::StoredKey(std::string_view section, std::string_view key) const {
  const QString wanted_section = ToQString(section);
  const QString wanted_key = ToQString(key);
  for (const QString& group : settings_.childGroups()) {
    if (group.compare(wanted_section, Qt::CaseInsensitive) != 0) continue;
    settings_.beginGroup(group);
    const QStringList keys = settings_.childKeys();
    settings_.endGroup();
    for (const QString& stored : keys) {
      if (stored.compare(wanted_key, Qt::CaseInsensitive) == 0) return group + "/" + stored;
    }
  }
  return {};
}

std::optional<std::string> QtSettingsStore::Read(std::string_view section, std::string_view key) const {
  const QString stored = StoredKey(section, key);
  if (stored.isEmpty()) return std::nullopt;
  const QVariant value = settings_.value(stored);
  // An INI value with an unquoted comma reads back as a list.
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
  return value.toString().toStdString();
}

void QtSettingsStore::Write(std::string_view section, std::string_view key, std::string_view value) {
  QString stored = StoredKey(section, key);
  if (stored.isEmpty()) stored = ToQString(section) + "/" + ToQString(key);
  settings_.setValue(stored, ToQString(value));
  settings_.sync();
}

}  // namespace kovrel
