#include "qt_settings_store.h"

#include <QSettings>
#include <QString>

namespace trivex {
namespace {
QString Path(const std::string& key, const std::string& name) {
  return QString::fromStdString(key) + '/' + QString::fromStdString(name);
}
}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Tavrell"), QStringLiteral("Trivor"))) {}

QtSettingsStore::QtSettingsStore(const std::string& path)
    : settings_(std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

bool QtSettingsStore::KeyExists(const std::string& key) const {
  settings_->beginGroup(QString::fromStdString(key));
  bool any = !settings_->allKeys().isEmpty();
  settings_->endGroup();
  return any;
}

std::optional<std::string> QtSettingsStore::Read(const std::string& key,
                                                 const std::string& name) const {
  QVariant v = settings_->value(Path(key, name));
  if (!v.isValid()) return std::nullopt;
  if (v.canConvert<QString>()) return v.toString().toStdString();
  return std::nullopt;  // a value of another form reads as missing
}

void QtSettingsStore::Write(const std::string& key, const std::string& name,
                            const std::string& value) {
  settings_->setValue(Path(key, name), QString::fromStdString(value));
}

void QtSettingsStore::Remove(const std::string& key, const std::string& name) {
  settings_->remove(Path(key, name));
}

bool QtSettingsStore::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

std::string QtSettingsStore::FilePath() const { return settings_->fileName().toStdString(); }

}  // namespace trivex
