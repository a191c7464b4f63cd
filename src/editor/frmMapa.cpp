#include "editor/frmMapa.h"

#include "app/ui/Ui.h"
#include "editor/Workspace.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

namespace vantrel {

frmMapa::frmMapa(Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , m_ws(workspace)
{
    setObjectName(QStringLiteral("frmMapa"));
    setFixedSize(kWidthPixels, kHeightPixels);
    m_lblTitulo = new QLabel(this);
    m_lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    m_lblTitulo->installEventFilter(this);
    m_lblFechar = new QLabel(QStringLiteral("X"), this);
    m_lblFechar->setObjectName(QStringLiteral("lblFechar"));
    m_lblFechar->move(kWidthPixels - 12, 0);
    m_lblFechar->installEventFilter(this);
}

frmMapa::~frmMapa() = default;

StratFileResult frmMapa::AbreTatica(const QString &sArq)
{
    sArquivo = sArq;
    Strat strat;
    StratFileResult result = StratFile::read(sArq, strat);
    if (!result)
        return result;
    m_strat = std::move(strat);
    m_ws.slots.StratTitles(iMI) = m_strat.Title;
    m_ws.slots.OverviewNames(iMI) = m_strat.Overview;
    setTitleLabel(m_strat.Title.trimmed());
    setWindowTitle(m_strat.Title.trimmed());
    return result;
}

StratFileResult frmMapa::SalvaTatica(bool bComo)
{
    QString path = sArquivo;
    if (path.isEmpty() || bComo) {
        const QString title = m_ws.language.text(QStringLiteral("s0004"), QStringLiteral("Save Strat"));
        path = m_ws.ui.saveFileName(m_ws.owner, title, QStringLiteral("Strat (*.vtr)"), {});
        if (path.isEmpty())
            return {true, {}};
        if (!path.endsWith(QLatin1String(".vtr"), Qt::CaseInsensitive))
            path += QLatin1String(".vtr");
        sArquivo = path;
    }
    m_strat.Title = m_ws.slots.StratTitles(iMI);
    m_strat.Overview = m_ws.slots.OverviewNames(iMI);
    return StratFile::write(path, m_strat);
}

void frmMapa::setTitleLabel(const QString &text)
{
    m_lblTitulo->setText(text);
    m_lblTitulo->adjustSize();
}

QString frmMapa::titleLabel() const
{
    return m_lblTitulo->text();
}

void frmMapa::setBackground(const QPixmap &picture)
{
    m_background = picture;
    update();
}

void frmMapa::discardStrat()
{
    m_strat = Strat();
    sArquivo.clear();
    bMovimento = false;
    iMI = 0;
    m_background = QPixmap();
}

void frmMapa::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawPixmap(0, 0, m_background);
}

bool frmMapa::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lblFechar && event->type() == QEvent::MouseButtonRelease)
        Q_EMIT closeRequested(this);
    else if (watched == m_lblTitulo && event->type() == QEvent::MouseButtonDblClick)
        Q_EMIT renameRequested(this);
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel
