#include "app/frmOptions.h"

#include "appcore/SettingsStore.h"
#include "editor/Workspace.h"
#include "uiservice/DialogParts.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

frmOptions::frmOptions(Workspace &workspace, SettingsStore &settings, QWidget *parent)
    : QDialog(parent)
    , m_ws(workspace)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));

    m_chkKCFrames = new QCheckBox(
        QStringLiteral("Keep counting frames in objects (affects \"start frame\")"), this);
    m_chkKCFrames->setObjectName(QStringLiteral("chkKCFrames"));
    auto *cmdOK = DialogParts::button(QStringLiteral("OK"), QStringLiteral("cmdOK"), this, true);
    auto *cmdCancel
        = DialogParts::button(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), this);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 12);
    main->setSpacing(16);
    main->addWidget(m_chkKCFrames);
    main->addLayout(DialogParts::buttonRow({cmdOK, cmdCancel}));
    if (m_ws.language.isLoaded())
        m_ws.language.SetLanguageInForm(this);
    setFixedSize(sizeHint());

    m_chkKCFrames->setChecked(m_ws.keepCountingFrames);

    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::onOkClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOptions::onOkClicked()
{
    const bool on = m_chkKCFrames->isChecked();
    m_ws.keepCountingFrames = on; // takes effect at once, no restart
    m_settings.setKeepCountingFrames(on);
    accept();
}

} // namespace vantrel
