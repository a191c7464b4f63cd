#pragma once

#include "appcore/SettingsStore.h"

#include <QString>

class QWidget;

namespace vantrel {

class Ui;

// The open and save file dialogs, asked through the Ui service. Filters are
// written as description and pattern pairs separated by "|"
// ("Strat (*.vtr)|*.vtr|"); the dialogs show the descriptions.
class clsDialog
{
public:
    explicit clsDialog(Ui &ui)
        : m_ui(ui)
    {
    }

    // The chosen full path, or an empty string when the user cancels.
    QString SaveDialog(QWidget *Form1, const QString &Filter, const QString &Title,
                       const QString &InitDir);
    QString OpenDialog(QWidget *Form1, const QString &Filter, const QString &Title,
                       const QString &InitDir);
    // The same, starting in the folder last used for `kind` (StartFolder),
    // which a chosen file then becomes.
    QString SaveDialog(QWidget *Form1, const QString &Filter, const QString &Title, FileKind kind);
    QString OpenDialog(QWidget *Form1, const QString &Filter, const QString &Title, FileKind kind);

    // "Strat (*.vtr)|*.vtr|Image (*.jpg)|*.jpg" -> "Strat (*.vtr);;Image (*.jpg)".
    // Qt reads the patterns from the description, so a description that
    // does not show its pattern gets it added in brackets.
    static QString toQtFilter(const QString &filter);

private:
    Ui &m_ui;
};

} // namespace vantrel
