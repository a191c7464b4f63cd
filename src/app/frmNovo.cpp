#include "app/frmNovo.h"

#include "app/ShellMessages.h"
#include "appcore/Overview.h"
#include "editor/StratSurface.h"
#include "editor/Workspace.h"
#include "editor/frmMapa.h"
#include "uiservice/DialogParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

frmNovo::frmNovo(Workspace &workspace, std::function<int()> novoMapa, QWidget *parent)
    : QDialog(parent)
    , m_ws(workspace)
    , m_novoMapa(std::move(novoMapa))
{
    setObjectName(QStringLiteral("frmNovo"));
    setWindowTitle(QStringLiteral("New Strat"));

    auto *frame1 = new QGroupBox(QStringLiteral("Select an overview"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    m_lstOverview = new QListWidget(frame1);
    m_lstOverview->setObjectName(QStringLiteral("lstOverview"));
    m_lstOverview->setMinimumWidth(180);
    auto *l1 = new QVBoxLayout(frame1);
    l1->addWidget(m_lstOverview);

    auto *frame2 = new QGroupBox(QStringLiteral("Preview"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    m_imgOverview = new QLabel(frame2);
    m_imgOverview->setObjectName(QStringLiteral("imgOverview"));
    m_imgOverview->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_imgOverview->setScaledContents(true); // stretched to fit, like the image box
    auto *l2 = new QVBoxLayout(frame2);
    l2->addWidget(m_imgOverview);
    l2->addStretch();

    auto *cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);
    auto *cmdCancelar
        = DialogParts::button(QStringLiteral("Cancel"), QStringLiteral("cmdCancelar"), this);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(frame2);
    buttons->addStretch();
    buttons->addLayout(DialogParts::buttonRow({cmdOK, cmdCancelar}));

    auto *main = new QHBoxLayout(this);
    main->addWidget(frame1, 1);
    main->addLayout(buttons);

    // Translated once its controls exist.
    if (m_ws.language.isLoaded())
        m_ws.language.SetLanguageInForm(this);

    // The catalogue: every plain file of Overviews/.
    m_lstOverview->addItems(Overview::catalogue());

    // The list makes its first entry current (not selected) when it gets the
    // focus; only an entry the user selected is a choice.
    connect(m_lstOverview, &QListWidget::itemSelectionChanged, this,
            [this] { showPreview(chosenName()); });
    connect(m_lstOverview, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_lstOverview->setCurrentItem(item); // also selects it and shows its preview
        onOkClicked();
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmNovo::onOkClicked);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

QString frmNovo::chosenName() const
{
    const QList<QListWidgetItem *> selected = m_lstOverview->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void frmNovo::showPreview(const QString &name)
{
    m_picture = QPixmap::fromImage(Overview::load(name));
    if (m_picture.isNull())
        m_imgOverview->clear();
    else
        m_imgOverview->setPixmap(m_picture);
}

void frmNovo::onOkClicked()
{
    const int slot = m_novoMapa ? m_novoMapa() : -1;
    if (slot == -1) {
        ShellMessages::tooManyStrats(m_ws, this);
        return;
    }
    // The new strat keeps its title and takes the chosen overview, unmodified.
    // The picture shown is the preview's: a name longer than the file holds
    // would find no picture by its stored first 16 characters.
    if (frmMapa *window = m_ws.stratWindow(slot)) {
        window->document().start(window->strat().Title, chosenName());
        window->surface().scene().setBackground(m_picture);
    }
    accept();
}

} // namespace vantrel
