// The window program's settings: one QSettings file in the user's settings
// folder ($XDG_CONFIG_HOME/kalmo/), read once when the store is made, each
// change written at once. A missing or broken file gives the defaults, never
// an error.
#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

class QSettings;

namespace kalmo {

class AppSettings {
public:
    AppSettings();
    ~AppSettings();

    // Looked up each time, so that the folder follows XDG_CONFIG_HOME as it is now.
    static QString FilePath();

    // A list of records kept under one name, at most `limit` of them; empty
    // when there is none or it cannot be read.
    QList<QVariantMap> Records(const QString& name, qsizetype limit) const;
    void SetRecords(const QString& name, const QList<QVariantMap>& records);

    // One value under a name; an invalid QVariant when there is none.
    QVariant Value(const QString& name) const;
    void SetValue(const QString& name, const QVariant& value);

private:
    void write();

    std::unique_ptr<QSettings> settings_;
};

} // namespace kalmo
