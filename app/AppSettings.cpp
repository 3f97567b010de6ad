// The settings file; see AppSettings.h.
#include "app/AppSettings.h"

#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace kalmo {

AppSettings::AppSettings() : settings_(std::make_unique<QSettings>(FilePath(), QSettings::IniFormat)) {}

AppSettings::~AppSettings() = default;

QString AppSettings::FilePath()
{
    // QSettings' own choice of folder is made once per process; naming the
    // file keeps it where XDG_CONFIG_HOME points now.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
         + QStringLiteral("/kalmo/kalmo-translator.conf");
}

QList<QVariantMap> AppSettings::Records(const QString& name, qsizetype limit) const
{
    QList<QVariantMap> records;
    // A hand-edited or broken count must not make us read without end.
    const int size = std::clamp<qsizetype>(settings_->beginReadArray(name), 0, limit);
    for (int i = 0; i < size; ++i) {
        settings_->setArrayIndex(i);
        QVariantMap record;
        for (const QString& key : settings_->childKeys())
            record.insert(key, settings_->value(key));
        records.append(record);
    }
    settings_->endArray();
    return records;
}

void AppSettings::SetRecords(const QString& name, const QList<QVariantMap>& records)
{
    settings_->remove(name);
    settings_->beginWriteArray(name, static_cast<int>(records.size()));
    for (int i = 0; i < records.size(); ++i) {
        settings_->setArrayIndex(i);
        for (auto field = records[i].begin(); field != records[i].end(); ++field)
            settings_->setValue(field.key(), field.value());
    }
    settings_->endArray();
    write();
}

QVariant AppSettings::Value(const QString& name) const { return settings_->value(name); }

void AppSettings::SetValue(const QString& name, const QVariant& value)
{
    settings_->setValue(name, value);
    write();
}

void AppSettings::write()
{
    // Written now: the program may end by a signal or a crash before QSettings would.
    settings_->sync();
}

} // namespace kalmo
