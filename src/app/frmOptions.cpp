#include "app/frmOptions.h"

#include "app/core/SettingsStore.h"
#include "editor/Workspace.h"

#include <QCheckBox>
#include <QHBoxLayout>
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
    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdOK);
    row->addWidget(cmdCancel);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 12);
    main->setSpacing(16);
    main->addWidget(m_chkKCFrames);
    main->addLayout(row);
    setFixedSize(sizeHint());

    // TODO(i18n): SetLanguageInForm(this) when a language pack is loaded.
    m_chkKCFrames->setChecked(m_ws.keepCountingFrames);

    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOptions::cmdOK_Click()
{
    const bool on = m_chkKCFrames->isChecked();
    m_ws.keepCountingFrames = on; // takes effect at once, no restart
    m_settings.setKeepCountingFrames(on);
    accept();
}

} // namespace vantrel
