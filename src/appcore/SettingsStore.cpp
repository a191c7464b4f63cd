#include "appcore/SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace vantrel {

namespace {

const QString kSection = QStringLiteral("Opções");

QString userStorePath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Vantrel/Vantrel.ini"));
}

QString folderKey(FileKind kind)
{
    switch (kind) {
    case FileKind::Image:
        return QStringLiteral("PastaImagem");
    case FileKind::Video:
        return QStringLiteral("PastaVideo");
    case FileKind::Strat:
        break;
    }
    return QStringLiteral("PastaTatica");
}

QString keyPath(const QString &key)
{
    return kSection + QLatin1Char('/') + key;
}

} // namespace

SettingsStore::SettingsStore()
    : m_path(userStorePath())
{
}

SettingsStore::SettingsStore(const QString &iniPath)
    : m_path(iniPath)
{
}

QString SettingsStore::text(const QString &key, const QString &fallback) const
{
    QSettings s(m_path, QSettings::IniFormat);
    // Another process may have written the file since we last looked.
    s.sync();
    const QVariant v = s.value(keyPath(key));
    return v.isValid() ? v.toString() : fallback;
}

void SettingsStore::setText(const QString &key, const QString &value)
{
    QSettings s(m_path, QSettings::IniFormat);
    s.setValue(keyPath(key), value);
    s.sync();
}

bool SettingsStore::toBoolean(const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    *ok = true;
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool numeric = false;
    const double value = t.toDouble(&numeric);
    if (numeric)
        return value != 0.0;
    *ok = false;
    return false;
}

bool SettingsStore::keepCountingFrames() const
{
    bool ok = false;
    const bool value = toBoolean(text(QStringLiteral("KCFrames"), QStringLiteral("False")), &ok);
    return ok ? value : false;
}

void SettingsStore::setKeepCountingFrames(bool on)
{
    setText(QStringLiteral("KCFrames"), on ? QStringLiteral("True") : QStringLiteral("False"));
}

int SettingsStore::firstRunMarker() const
{
    bool ok = false;
    const int value = text(QStringLiteral("Vez"), QStringLiteral("0")).trimmed().toShort(&ok);
    return ok ? value : 0;
}

void SettingsStore::setFirstRunMarker(int value)
{
    setText(QStringLiteral("Vez"), QString::number(value));
}

double SettingsStore::associationMarker() const
{
    bool ok = false;
    const double value
        = text(QStringLiteral("Associado"), QStringLiteral("0")).trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

void SettingsStore::setAssociationMarker(double value)
{
    setText(QStringLiteral("Associado"), QString::number(value));
}

bool SettingsStore::showTips() const
{
    bool ok = false;
    const bool value = toBoolean(text(QStringLiteral("Dicas"), QStringLiteral("1")), &ok);
    return ok ? value : true;
}

void SettingsStore::setShowTips(bool on)
{
    setText(QStringLiteral("Dicas"), on ? QStringLiteral("1") : QStringLiteral("0"));
}

QString SettingsStore::handOverPath() const
{
    return text(QStringLiteral("Comando"));
}

void SettingsStore::setHandOverPath(const QString &path)
{
    setText(QStringLiteral("Comando"), path);
}

QString SettingsStore::lastFolder(FileKind kind) const
{
    return text(folderKey(kind));
}

void SettingsStore::setLastFolder(FileKind kind, const QString &folder)
{
    setText(folderKey(kind), folder);
}

} // namespace vantrel
