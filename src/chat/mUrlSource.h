#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace vantrel {

namespace mUrlSource {

// The IP-echo page: VANTREL_IP_ECHO_URL from the environment when set, else
// the address the build was configured with.
QString echoUrl();

// The address in an echo reply: its text before the first blank. A reply
// without a blank gives its first word (up to a line end); nothing usable
// gives an empty string. Never longer than an address can be.
QString addressFromReply(const QString &reply);

} // namespace mUrlSource

// Fetches the body of a web page without blocking the event loop. finished()
// brings the body as text, one character per byte, or what was read before a
// failure (empty when nothing was). The fetch gives up after the time limit.
class UrlSource : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTimeoutMs = 10000;
    // Bodies are cut here: an echo page answers a few bytes.
    static constexpr qsizetype kBodyLimit = 64 * 1024;

    explicit UrlSource(QObject *parent = nullptr);
    ~UrlSource() override;

    // Starts GetUrlSource; a fetch still running is abandoned.
    void GetUrlSource(const QString &url, int timeoutMs = kTimeoutMs);
    bool isRunning() const { return !m_reply.isNull(); }
    // Drops a running fetch: finished() does not come.
    void abandon();

Q_SIGNALS:
    void finished(const QString &body);

private:
    void readSome();
    void done();

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_timer;
    QByteArray m_body;
};

} // namespace vantrel
