#pragma once

#include "chat/ChatSession.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vantrel {

class Ui;
class UrlSource;
class clsLanguagePack;

// The chat window. The program keeps one instance and shows it from the menu
// and the palette; closing it (after a Yes) ends the chat and leaves the
// window idle for the next opening. The protocol lives in ChatSession; the
// window shows its nick list and log and turns buttons and Enter into calls.
class frmChat : public QWidget
{
    Q_OBJECT

public:
    frmChat(Ui &ui, const clsLanguagePack &language, QWidget *parent = nullptr);
    ~frmChat() override;

    // The port and local address Host and Connect use: 3005 and the default
    // binding in the program; tests choose a free loopback port.
    void setChatPort(quint16 port, const QString &bindAddress = QString());

    void cmdAguardar_Click();
    void cmdConectar_Click();
    void cmdFechar_Click();
    void cmdIP_Click();
    // Enter in the input line; returns whether the key was consumed.
    bool txtTexto_Return();

    ChatSession &session() { return *m_session; }

Q_SIGNALS:
    // The chat was hosted or joined: the team board beside it is at `host`
    // on `boardPort` (the chat port + 1), joined with the same nick. Left:
    // the chat was closed.
    void chatEntered(const QString &host, quint16 boardPort, const QString &nick);
    void chatLeft();
    // "Share to Team": the main window shares its active strat.
    void shareRequested();

public:
    QPushButton *cmdAguardar;
    QPushButton *cmdConectar;
    QPushButton *cmdFechar;
    QPushButton *cmdIP;
    QPushButton *cmdShare;
    QLabel *Label1;
    QLabel *lblIP;
    QListWidget *lstNicks;
    QPlainTextEdit *txtChat;
    QLineEdit *txtTexto;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString text(const char *id, const char *english) const;
    void scheduleNicks();
    void showNicks();
    void addLogText(const QString &added);
    void showIdle();
    void enterChat();
    void showAddress(const QString &reply);

    Ui &m_ui;
    const clsLanguagePack &m_language;
    ChatSession *m_session;
    UrlSource *m_urlSource;
    quint16 m_port = ChatSession::kDefaultPort;
    bool m_nicksDue = false;
    QString m_bindAddress;
};

} // namespace vantrel
