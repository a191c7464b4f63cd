#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantrel::test {

TempHome::TempHome()
    : m_hadHome(qEnvironmentVariableIsSet("VANTREL_HOME"))
    , m_hadConfig(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    , m_hadData(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
{
    m_oldHome = qgetenv("VANTREL_HOME");
    m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    m_oldData = qgetenv("XDG_DATA_HOME");
    QDir(m_dir.path()).mkpath(QStringLiteral("Overviews"));
    QDir(m_dir.path()).mkpath(QStringLiteral(".config"));
    qputenv("VANTREL_HOME", m_dir.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configDir().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataDir().toLocal8Bit());
}

TempHome::~TempHome()
{
    if (m_hadHome)
        qputenv("VANTREL_HOME", m_oldHome);
    else
        qunsetenv("VANTREL_HOME");
    if (m_hadConfig)
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");
    if (m_hadData)
        qputenv("XDG_DATA_HOME", m_oldData);
    else
        qunsetenv("XDG_DATA_HOME");
}

QString TempHome::write(const QString &relative, const QByteArray &bytes) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace vantrel::test
