#include "chatwindow/frmChat.h"

#include "chat/ChatHost.h"
#include "chat/mUrlSource.h"
#include "i18n/LanguagePack.h"
#include "uiservice/Ui.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vantrel {

namespace {
// What the log shows at most; the session keeps a bounded copy of its own.
constexpr int kLogLines = 5000;
} // namespace

frmChat::frmChat(Ui &ui, const clsLanguagePack &language, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_ui(ui)
    , m_language(language)
    , m_session(new ChatSession(this))
    , m_urlSource(new UrlSource(this))
{
    setObjectName(QStringLiteral("frmChat"));
    setWindowTitle(QStringLiteral("Chat"));

    cmdAguardar = new QPushButton(QStringLiteral("Host"), this);
    cmdConectar = new QPushButton(QStringLiteral("Connect"), this);
    cmdFechar = new QPushButton(QStringLiteral("Close"), this);
    cmdIP = new QPushButton(QStringLiteral("Get IP"), this);
    cmdShare = new QPushButton(text("s0104", "Share to Team"), this);
    Label1 = new QLabel(QStringLiteral("IP:"), this);
    lblIP = new QLabel(this);
    lstNicks = new QListWidget(this);
    txtChat = new QPlainTextEdit(this);
    txtTexto = new QLineEdit(this);
    cmdAguardar->setObjectName(QStringLiteral("cmdAguardar"));
    cmdConectar->setObjectName(QStringLiteral("cmdConectar"));
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    cmdIP->setObjectName(QStringLiteral("cmdIP"));
    cmdShare->setObjectName(QStringLiteral("cmdShare"));
    Label1->setObjectName(QStringLiteral("Label1"));
    lblIP->setObjectName(QStringLiteral("lblIP"));
    lstNicks->setObjectName(QStringLiteral("lstNicks"));
    txtChat->setObjectName(QStringLiteral("txtChat"));
    txtTexto->setObjectName(QStringLiteral("txtTexto"));

    lblIP->setMinimumWidth(110);
    lblIP->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lstNicks->setFixedWidth(150);
    txtChat->setReadOnly(true);
    txtChat->setFocusPolicy(Qt::NoFocus); // the log never keeps the focus
    txtChat->setMaximumBlockCount(kLogLines);
    txtChat->installEventFilter(this);
    txtTexto->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAguardar);
    buttons->addWidget(cmdConectar);
    buttons->addWidget(cmdFechar);
    buttons->addWidget(cmdShare);
    buttons->addStretch();
    buttons->addWidget(cmdIP);
    buttons->addWidget(Label1);
    buttons->addWidget(lblIP);
    auto *middle = new QHBoxLayout;
    middle->addWidget(txtChat, 1);
    middle->addWidget(lstNicks);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(middle, 1);
    layout->addWidget(txtTexto);
    resize(600, 400);
    if (m_language.isLoaded())
        m_language.SetLanguageInForm(this);

    connect(cmdAguardar, &QPushButton::clicked, this, &frmChat::cmdAguardar_Click);
    connect(cmdConectar, &QPushButton::clicked, this, &frmChat::cmdConectar_Click);
    connect(cmdFechar, &QPushButton::clicked, this, &frmChat::cmdFechar_Click);
    connect(cmdIP, &QPushButton::clicked, this, &frmChat::cmdIP_Click);
    connect(cmdShare, &QPushButton::clicked, this, &frmChat::shareRequested);
    cmdShare->setEnabled(false);
    connect(m_urlSource, &UrlSource::finished, this, &frmChat::showAddress);

    m_session->setTextLookup(
        [this](const QString &id, const QString &english) { return m_language.text(id, english); });
    connect(m_session, &ChatSession::logAppended, this, &frmChat::addLogText);
    connect(m_session, &ChatSession::logCleared, txtChat, &QPlainTextEdit::clear);
    connect(m_session, &ChatSession::nicksChanged, this, &frmChat::scheduleNicks);

    // A socket error whose handler asks for the message box shows it here.
    modSocketMaster::setDefaultMessageHook([this](const QString &message, const QString &title) {
        m_ui.messageBox(this, message, title, MsgButtons::Ok, MsgIcon::None);
    });
}

frmChat::~frmChat()
{
    modSocketMaster::setDefaultMessageHook({});
}

void frmChat::setChatPort(quint16 port, const QString &bindAddress)
{
    m_port = port;
    m_bindAddress = bindAddress;
}

QString frmChat::text(const char *id, const char *english) const
{
    return m_language.text(QLatin1String(id), QString::fromUtf8(english));
}

void frmChat::cmdAguardar_Click()
{
    const QString nick
        = m_ui.inputBox(this, text("s0001", "Enter your nick:"), QString(), QString());
    if (nick.isEmpty())
        return; // cancelled
    if (!m_session->host(nick, m_port, m_bindAddress)) {
        // The port is taken or the like: say why and stay ready to try again.
        m_session->appendLog(text("s0060", "Could not host the chat on port %1: %2")
                                 .arg(QString::number(m_port), m_session->lastError()));
        return;
    }
    enterChat();
    // The own host is reached on the address it listens on, loopback when
    // it listens on all of them.
    const bool anyAddress = m_bindAddress.isEmpty() || m_bindAddress == QLatin1String("0.0.0.0");
    Q_EMIT chatEntered(anyAddress ? QStringLiteral("127.0.0.1") : m_bindAddress,
                       m_session->boardListeningPort(), nick);
}

void frmChat::cmdConectar_Click()
{
    const QString nick
        = m_ui.inputBox(this, text("s0001", "Enter your nick:"), QString(), QString());
    if (nick.isEmpty())
        return; // cancelled
    const QString address
        = m_ui.inputBox(this, text("s0002", "Enter the server IP:"), QString(), QString());
    if (!m_session->connectTo(nick, address, m_port))
        return;
    enterChat();
    Q_EMIT chatEntered(address.trimmed(), quint16(m_port + 1), nick);
}

void frmChat::enterChat()
{
    cmdAguardar->setEnabled(false);
    cmdConectar->setEnabled(false);
    cmdShare->setEnabled(true);
    txtTexto->setFocus();
}

void frmChat::cmdFechar_Click()
{
    close();
}

void frmChat::cmdIP_Click()
{
    lblIP->setText(text("s0043", "Please wait..."));
    lblIP->repaint();
    // The fetch runs in the background; the window stays live meanwhile.
    m_urlSource->GetUrlSource(mUrlSource::echoUrl());
}

void frmChat::showAddress(const QString &reply)
{
    const QString address = mUrlSource::addressFromReply(reply);
    lblIP->setText(address.isEmpty() ? text("s0044", "Not available") : address);
    txtTexto->setFocus();
}

bool frmChat::txtTexto_Return()
{
    if (!m_session->bConectado())
        return false;
    m_session->sendLine(txtTexto->text());
    txtTexto->clear();
    return true;
}

void frmChat::scheduleNicks()
{
    // One run may change the list thousands of times; show it once after.
    if (m_nicksDue)
        return;
    m_nicksDue = true;
    QMetaObject::invokeMethod(this, &frmChat::showNicks, Qt::QueuedConnection);
}

void frmChat::showNicks()
{
    m_nicksDue = false;
    QStringList shown;
    shown.reserve(m_session->lstNicks().size());
    for (const NickEntry &e : m_session->lstNicks())
        shown.append(ChatHost::printable(e.nick));
    lstNicks->clear();
    lstNicks->addItems(shown);
}

void frmChat::addLogText(const QString &added)
{
    QTextCursor end = txtChat->textCursor();
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("\n") + ChatHost::printable(added));
    // Keep the newest line in view and the next insertion at the end.
    end.movePosition(QTextCursor::End);
    txtChat->setTextCursor(end);
    txtChat->verticalScrollBar()->setValue(txtChat->verticalScrollBar()->maximum());
    txtTexto->setFocus();
}

void frmChat::showIdle()
{
    cmdAguardar->setEnabled(true);
    cmdConectar->setEnabled(true);
    cmdShare->setEnabled(false);
    txtTexto->clear();
    lblIP->clear(); // a window opened again knows no address yet
    lstNicks->clear();
    txtChat->clear();
}

void frmChat::closeEvent(QCloseEvent *event)
{
    const MsgResult r
        = m_ui.messageBox(this, text("s0010", "Are you sure you want to close the chat?"),
                          QStringLiteral("Chat"), MsgButtons::YesNo, MsgIcon::Question);
    if (r == MsgResult::No) {
        event->ignore();
        return;
    }
    // The listener and every connection go, without a goodbye to the peers.
    m_session->reset();
    m_urlSource->abandon();
    showIdle();
    Q_EMIT chatLeft();
    event->accept();
}

bool frmChat::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtChat && event->type() == QEvent::FocusIn) {
        txtTexto->setFocus();
        return false;
    }
    if (watched == txtTexto && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return txtTexto_Return();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantrel
