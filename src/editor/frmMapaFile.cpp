// Opening a strat file into the window and saving the window's strat.
#include "editor/StratScene.h"
#include "editor/StratStrip.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "uiservice/Ui.h"
#include "uiservice/clsDialog.h"

namespace vantrel {

FileResult frmMapa::AbreTatica(const QString &sArq)
{
    sArquivo = sArq;
    Strat strat;
    FileResult result = StratFile::read(sArq, strat);
    if (!result)
        return result;
    // An opened strat starts a clean undo stack; the scene and the engines
    // rebuild themselves from the document.
    m_document.load(strat);
    m_strip->showTitle();
    m_scene->showOverview();
    return result;
}

FileResult frmMapa::SalvaTatica(bool bComo)
{
    QString path = sArquivo;
    if (path.isEmpty() || bComo) {
        const QString title
            = m_ws.language.text(QStringLiteral("s0004"), QStringLiteral("Save Strat"));
        const QString filter = m_ws.language.text(QStringLiteral("s0008"), QStringLiteral("Strat"))
                               + QStringLiteral(" (*.vtr)|*.vtr|");
        path = clsDialog(m_ws.ui).SaveDialog(m_ws.owner, filter, title, FileKind::Strat);
        if (path.isEmpty())
            return FileResult::success();
        if (!path.endsWith(QLatin1String(".vtr"), Qt::CaseInsensitive))
            path += QLatin1String(".vtr");
        sArquivo = path;
    }
    FileResult result = StratFile::write(path, strat());
    if (result)
        m_document.markSaved();
    return result;
}

} // namespace vantrel
