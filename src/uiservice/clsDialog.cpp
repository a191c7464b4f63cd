#include "uiservice/clsDialog.h"

#include "appcore/StartFolder.h"
#include "uiservice/Ui.h"

#include <QStringList>

namespace vantrel {

QString clsDialog::toQtFilter(const QString &filter)
{
    QString f = filter;
    if (!f.endsWith(QLatin1Char('|')))
        f += QLatin1Char('|');
    const QStringList parts = f.split(QLatin1Char('|'));
    QStringList filters;
    // Pairs of description and pattern; the final "|" leaves one empty part.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString pattern = parts.at(i + 1).trimmed();
        if (description.isEmpty() && pattern.isEmpty())
            continue;
        if (description.contains(QLatin1Char('(')) || pattern.isEmpty())
            filters << description;
        else
            filters << QStringLiteral("%1 (%2)").arg(
                description, QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')));
    }
    return filters.join(QLatin1String(";;"));
}

QString clsDialog::SaveDialog(QWidget *Form1, const QString &Filter, const QString &Title,
                              const QString &InitDir)
{
    return m_ui.saveFileName(Form1, Title, toQtFilter(Filter), InitDir);
}

QString clsDialog::OpenDialog(QWidget *Form1, const QString &Filter, const QString &Title,
                              const QString &InitDir)
{
    return m_ui.openFileName(Form1, Title, toQtFilter(Filter), InitDir);
}

QString clsDialog::SaveDialog(QWidget *Form1, const QString &Filter, const QString &Title,
                              FileKind kind)
{
    SettingsStore settings;
    const QString path = SaveDialog(Form1, Filter, Title, StartFolder::forKind(settings, kind));
    StartFolder::remember(settings, kind, path);
    return path;
}

QString clsDialog::OpenDialog(QWidget *Form1, const QString &Filter, const QString &Title,
                              FileKind kind)
{
    SettingsStore settings;
    const QString path = OpenDialog(Form1, Filter, Title, StartFolder::forKind(settings, kind));
    StartFolder::remember(settings, kind, path);
    return path;
}

} // namespace vantrel
