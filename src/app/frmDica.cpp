#include "app/frmDica.h"

#include "appcore/ProgramFolder.h"
#include "appcore/SettingsStore.h"
#include "editor/Workspace.h"
#include "i18n/TipsFile.h"
#include "uiservice/DialogParts.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStyle>

namespace vantrel {

frmDica::frmDica(Workspace &workspace, SettingsStore &settings, QWidget *parent,
                 std::function<double()> random)
    : QDialog(parent)
    , m_ws(workspace)
    , m_settings(settings)
    , m_random(std::move(random))
{
    setObjectName(QStringLiteral("frmDica"));
    setWindowTitle(QStringLiteral("Tipo of the Day!"));

    auto *picture1 = new QLabel(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    picture1->setAlignment(Qt::AlignTop);
    auto *label1 = new QLabel(QStringLiteral("Did you know..."), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    label1->setFont(bold);
    m_lblTipText = new QLabel(this);
    m_lblTipText->setObjectName(QStringLiteral("lblTipText"));
    m_lblTipText->setWordWrap(true);
    m_lblTipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_lblTipText->setMinimumSize(340, 110);
    m_chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Show tips on startup"), this);
    m_chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    auto *cmdNextTip
        = DialogParts::button(QStringLiteral("&Next Tip"), QStringLiteral("cmdNextTip"), this);
    auto *cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(picture1, 0, 0, 2, 1);
    layout->addWidget(label1, 0, 1);
    layout->addWidget(m_lblTipText, 1, 1);
    layout->addWidget(m_chkLoadTipsAtStartup, 2, 0, 1, 2);
    layout->addLayout(DialogParts::buttonRow({cmdNextTip, cmdOK}), 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdNextTip, &QPushButton::clicked, this, &frmDica::cmdNextTip_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // Only the user's clicks are stored, not start-up ticking the box.
    connect(m_chkLoadTipsAtStartup, &QCheckBox::clicked, this,
            [this](bool on) { m_settings.setShowTips(on); });

    if (m_ws.language.isLoaded())
        m_ws.language.SetLanguageInForm(this);
    if (!m_random)
        m_random = [] {
            return QRandomGenerator::global()->generateDouble();
        };
    // The pack names a file of the program folder, never a path elsewhere.
    m_tipsFile = QFileInfo(m_ws.language.text(QStringLiteral("s0000"), QStringLiteral("tips.dat")))
                     .fileName();
    const QString path = ProgramFolder::filePath(m_tipsFile);
    if (!LoadTips(path))
        m_lblTipText->setText(whyNotRead(path) + m_tipsFile);
}

QString frmDica::whyNotRead(const QString &path) const
{
    // A file that is there is never reported as missing.
    const QFileInfo file(path);
    if (!file.exists())
        return m_ws.language.text(QStringLiteral("s0001"),
                                  QStringLiteral("The file was not found: "));
    if (file.isFile() && file.size() > TipsFile::kMaxSize)
        return m_ws.language.text(QStringLiteral("s0065"),
                                  QStringLiteral("The file is too large: "));
    return m_ws.language.text(QStringLiteral("s0066"), QStringLiteral("The file cannot be read: "));
}

bool frmDica::LoadTips(const QString &path)
{
    if (!TipsFile::read(path, m_tips))
        return false;
    pickRandomTip();
    return true;
}

void frmDica::DisplayCurrentTip()
{
    if (m_tips.isEmpty())
        return;
    m_lblTipText->setText(m_tips.value(m_currentTip - 1));
}

void frmDica::cmdNextTip_Click()
{
    pickRandomTip();
}

void frmDica::pickRandomTip()
{
    if (m_tips.isEmpty())
        return;
    m_currentTip = TipsFile::pick(int(m_tips.size()), m_random());
    DisplayCurrentTip();
}

} // namespace vantrel
