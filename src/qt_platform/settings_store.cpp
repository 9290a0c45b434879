#include "qt_platform/settings_store.h"

#include <QSettings>

#include "qt_platform/qt_text.h"

namespace qor {
namespace {

QString KeyPath(TextView section, TextView key) {
  return ToQString(section) + QLatin1Char('/') + ToQString(key);
}

}  // namespace

std::optional<Text> ReadSetting(TextView section, TextView key) {
  const QSettings settings(QStringLiteral("QOR"), QStringLiteral("QOR"));
  if (settings.status() != QSettings::NoError) return std::nullopt;
  const QVariant value = settings.value(KeyPath(section, key));
  if (!value.isValid() || !value.canConvert<QString>()) return std::nullopt;
  return FromQString(value.toString());
}

bool WriteSetting(TextView section, TextView key, TextView value) {
  QSettings settings(QStringLiteral("QOR"), QStringLiteral("QOR"));
  settings.setValue(KeyPath(section, key), ToQString(value));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

}  // namespace qor
