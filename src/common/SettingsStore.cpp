#include "common/SettingsStore.h"

#include "common/ProgramNames.h"

namespace {
const QString kWindows = QStringLiteral("Windows");
const QString kOptions = QStringLiteral("Options");
const QString kLedger = QStringLiteral("Ledger");
const QString kDateFormat = QStringLiteral("yyyy/MM/dd");

QString keyOf(const QString& section, const QString& name) {
    return section + u'/' + name;
}
} // namespace

SettingsStore::SettingsStore() : m_settings(organizationName(), programName()) {}

int SettingsStore::readInteger(const QString& section, const QString& name, int defaultValue) {
    const QVariant stored = m_settings.value(keyOf(section, name));
    if (!stored.isValid())
        return defaultValue;
    bool ok = false;
    const int value = stored.toString().trimmed().toInt(&ok, 10);
    return ok ? value : defaultValue;
}

QString SettingsStore::readText(const QString& section, const QString& name,
                                const QString& defaultValue) {
    const QVariant stored = m_settings.value(keyOf(section, name));
    if (!stored.isValid())
        return defaultValue;
    QString text = stored.toString();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

void SettingsStore::writeInteger(const QString& section, const QString& name, int value) {
    m_settings.setValue(keyOf(section, name), QString::number(value));
}

void SettingsStore::writeText(const QString& section, const QString& name, const QString& value) {
    m_settings.setValue(keyOf(section, name), value);
}

void SettingsStore::read(QPoint& windowPosition, TSettings& settings) {
    windowPosition.setX(readInteger(kWindows, QStringLiteral("Left"), 0));
    windowPosition.setY(readInteger(kWindows, QStringLiteral("Top"), 0));
    const TSettings defaults;
    settings.AutoNum = readInteger(kOptions, QStringLiteral("AutoNum"), defaults.AutoNum);
    settings.RangeNum = readInteger(kOptions, QStringLiteral("RangeNum"), defaults.RangeNum);
    settings.OptionIndex =
        readInteger(kOptions, QStringLiteral("OptionIndex"), defaults.OptionIndex);
    settings.DeleteNum = readText(kOptions, QStringLiteral("DeleteNum"), defaults.DeleteNum);
}

void SettingsStore::write(const QPoint& windowPosition, const TSettings& settings) {
    writeInteger(kWindows, QStringLiteral("Left"), windowPosition.x());
    writeInteger(kWindows, QStringLiteral("Top"), windowPosition.y());
    writeInteger(kOptions, QStringLiteral("AutoNum"), settings.AutoNum);
    writeInteger(kOptions, QStringLiteral("RangeNum"), settings.RangeNum);
    writeInteger(kOptions, QStringLiteral("OptionIndex"), settings.OptionIndex);
    writeText(kOptions, QStringLiteral("DeleteNum"), settings.DeleteNum);
    m_settings.sync(); // failures to write are not reported
}

bool SettingsStore::remindEnabled() {
    return readText(kLedger, QStringLiteral("Remind"), QString()).trimmed() != QStringLiteral("0");
}

void SettingsStore::writeRemindEnabled(bool on) {
    writeText(kLedger, QStringLiteral("Remind"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

QDate SettingsStore::remindedOn() {
    return QDate::fromString(readText(kLedger, QStringLiteral("RemindedOn"), QString()),
                             kDateFormat);
}

void SettingsStore::writeRemindedOn(const QDate& day) {
    writeText(kLedger, QStringLiteral("RemindedOn"), day.toString(kDateFormat));
}
