#pragma once

#include "common/ComType.h"

#include <QDate>
#include <QPoint>
#include <QSettings>
#include <QString>

// The per-user settings store: QSettings("Ozumel", "Septarion") in the native
// format (on Windows the registry key Software\Ozumel\Septarion, on Linux
// ~/.config/Ozumel/Septarion.conf), sections Windows, Options and Ledger. Every
// value is written as text; missing or malformed values read as their
// defaults. The one reader and writer of that file.
class SettingsStore {
public:
    SettingsStore();

    // Integer value: the default when absent or not a valid integer.
    int readInteger(const QString& section, const QString& name, int defaultValue);
    // Text value: the default when absent; cut at a character 0.
    QString readText(const QString& section, const QString& name, const QString& defaultValue);
    void writeInteger(const QString& section, const QString& name, int value);
    void writeText(const QString& section, const QString& name, const QString& value);

    // The six values in the store's order: Left, Top, then the options. The
    // excluded numbers are read as stored; the caller keeps those it can use.
    void read(QPoint& windowPosition, TSettings& settings);
    void write(const QPoint& windowPosition, const TSettings& settings);

    // The start-up reminder of prizes to cash: Ledger/Remind, on unless "0",
    // and Ledger/RemindedOn, the day it last showed (invalid when never).
    bool remindEnabled();
    void writeRemindEnabled(bool on);
    QDate remindedOn();
    void writeRemindedOn(const QDate& day);

private:
    QSettings m_settings;
};
