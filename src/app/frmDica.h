#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QCheckBox;
class QLabel;

namespace vantrel {

class SettingsStore;
class Workspace;

// The tip-of-the-day window: one random tip from the tips file beside the
// program (named by the pack's "s0000", else "tips.dat"), Next Tip, and the
// check box that keeps the window on at start-up ("Dicas").
class frmDica : public QDialog
{
    Q_OBJECT

public:
    // `random` gives uniform numbers 0 <= r < 1 (tests pass their own).
    frmDica(Workspace &workspace, SettingsStore &settings, QWidget *parent = nullptr,
            std::function<double()> random = {});

    // Reads the tips and shows a random one; false when the path is empty or
    // the file cannot be read.
    bool LoadTips(const QString &path);
    void DisplayCurrentTip();
    void cmdNextTip_Click();

    QCheckBox *chkLoadTipsAtStartup() const { return m_chkLoadTipsAtStartup; }
    QLabel *lblTipText() const { return m_lblTipText; }
    const QString &tipsFileName() const { return m_tipsFile; }

private:
    void pickRandomTip();
    // The text shown before the file name when the tips cannot be read.
    QString whyNotRead(const QString &path) const;

    Workspace &m_ws;
    SettingsStore &m_settings;
    std::function<double()> m_random;
    QStringList m_tips;
    qint32 m_currentTip = 0;
    QString m_tipsFile;
    QLabel *m_lblTipText = nullptr;
    QCheckBox *m_chkLoadTipsAtStartup = nullptr;
};

} // namespace vantrel
