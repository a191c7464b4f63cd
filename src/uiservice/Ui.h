#pragma once

#include "fileio/FileResult.h"

#include <QString>

class QDialog;
class QWidget;

namespace vantrel {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

// Every question the program puts to the user goes through this service: the
// desktop build shows real dialogs, tests script the answers and record what
// was asked. Windows receive it through their constructors.
class Ui
{
public:
    virtual ~Ui() = default;

    // A message box. An empty title means the program's title, "Vantrel".
    virtual MsgResult messageBox(QWidget *owner, const QString &text, const QString &title,
                                 MsgButtons buttons, MsgIcon icon)
        = 0;

    // An input box; returns the typed text, or an empty string on Cancel.
    virtual QString inputBox(QWidget *owner, const QString &prompt, const QString &title,
                             const QString &defaultText)
        = 0;

    // File dialogs. `filter` is in Qt's form ("Strat (*.vtr)"); an empty
    // result means the user cancelled.
    virtual QString openFileName(QWidget *owner, const QString &title, const QString &filter,
                                 const QString &initialDir)
        = 0;
    virtual QString saveFileName(QWidget *owner, const QString &title, const QString &filter,
                                 const QString &initialDir)
        = 0;

    // Shows a dialog modally and returns its QDialog::DialogCode result.
    virtual int runModal(QDialog &dialog) = 0;

    // Opens a web address or a file with the desktop's default handler.
    virtual void openTarget(const QString &target) = 0;
};

} // namespace vantrel
