#pragma once

#include "uiservice/Ui.h"

namespace vantrel {

// The real dialogs of the desktop.
class DesktopUi : public Ui
{
public:
    MsgResult messageBox(QWidget *owner, const QString &text, const QString &title,
                         MsgButtons buttons, MsgIcon icon) override;
    QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    QString openFileName(QWidget *owner, const QString &title, const QString &filter,
                         const QString &initialDir) override;
    QString saveFileName(QWidget *owner, const QString &title, const QString &filter,
                         const QString &initialDir) override;
    int runModal(QDialog &dialog) override;
    void openTarget(const QString &target) override;
};

} // namespace vantrel
