#include "uiservice/DesktopUi.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace vantrel {

namespace {

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

MsgResult DesktopUi::messageBox(QWidget *owner, const QString &text, const QString &title,
                                MsgButtons buttons, MsgIcon icon)
{
    QMessageBox box(toQt(icon), title.isEmpty() ? QStringLiteral("Vantrel") : title, text,
                    toQt(buttons), owner);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return MsgResult::Ok;
    }
}

QString DesktopUi::inputBox(QWidget *owner, const QString &prompt, const QString &title,
                            const QString &defaultText)
{
    bool ok = false;
    const QString answer
        = QInputDialog::getText(owner, title.isEmpty() ? QStringLiteral("Vantrel") : title, prompt,
                                QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString DesktopUi::openFileName(QWidget *owner, const QString &title, const QString &filter,
                                const QString &initialDir)
{
    return QFileDialog::getOpenFileName(owner, title, initialDir, filter);
}

QString DesktopUi::saveFileName(QWidget *owner, const QString &title, const QString &filter,
                                const QString &initialDir)
{
    return QFileDialog::getSaveFileName(owner, title, initialDir, filter);
}

int DesktopUi::runModal(QDialog &dialog)
{
    return dialog.exec();
}

void DesktopUi::openTarget(const QString &target)
{
    // A plain path opens as a file, anything with a scheme as an address.
    const QUrl url = QUrl::fromUserInput(target);
    QDesktopServices::openUrl(url);
}

} // namespace vantrel
