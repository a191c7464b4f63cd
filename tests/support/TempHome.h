#pragma once

#include <QString>
#include <QTemporaryDir>

namespace vantrel::test {

// A throw-away program folder and settings folder for one test: sets
// VANTREL_HOME, XDG_CONFIG_HOME and XDG_DATA_HOME while it lives and restores them after.
class TempHome
{
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome &) = delete;
    TempHome &operator=(const TempHome &) = delete;

    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }
    QString configDir() const { return m_dir.filePath(QStringLiteral(".config")); }
    QString dataDir() const { return m_dir.filePath(QStringLiteral(".local/share")); }

    // Writes `bytes` to `relative` inside the folder, creating folders on the way.
    QString write(const QString &relative, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
    QByteArray m_oldData;
    bool m_hadHome = false;
    bool m_hadConfig = false;
    bool m_hadData = false;
};

} // namespace vantrel::test
