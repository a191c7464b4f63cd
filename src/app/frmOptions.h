#pragma once

#include <QDialog>

class QCheckBox;

namespace vantrel {

class SettingsStore;
class Workspace;

// The Options dialog: the keep-counting option. OK stores it and sets the
// application-wide flag at once; Cancel changes nothing.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    frmOptions(Workspace &workspace, SettingsStore &settings, QWidget *parent = nullptr);

    QCheckBox *chkKCFrames() const { return m_chkKCFrames; }
    void onOkClicked();

private:
    Workspace &m_ws;
    SettingsStore &m_settings;
    QCheckBox *m_chkKCFrames = nullptr;
};

} // namespace vantrel
