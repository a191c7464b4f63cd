#include "uiservice/GuardedApplication.h"

#include "uiservice/Ui.h"

#include <QtDebug>

#include <exception>

namespace vantrel {

GuardedApplication::GuardedApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("unknown error"));
    }
    return false;
}

void GuardedApplication::report(const QString &what)
{
    const QString text = QStringLiteral("The command could not be completed (%1).").arg(what);
    if (!m_ui) {
        qWarning().noquote() << text;
        return;
    }
    m_ui->messageBox(activeWindow(), text, {}, MsgButtons::Ok, MsgIcon::Critical);
}

} // namespace vantrel
