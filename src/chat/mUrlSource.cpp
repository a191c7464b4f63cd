#include "chat/mUrlSource.h"

#include "strat/Ansi.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#ifndef VANTREL_IP_ECHO_URL
#define VANTREL_IP_ECHO_URL "http://api.ipify.org/"
#endif

namespace vantrel {

namespace mUrlSource {

QString echoUrl()
{
    const QByteArray env = qgetenv("VANTREL_IP_ECHO_URL");
    return env.isEmpty() ? QStringLiteral(VANTREL_IP_ECHO_URL) : QString::fromUtf8(env);
}

QString addressFromReply(const QString &reply)
{
    // The longest dotted IPv4 address has 15 characters; leave room for an
    // IPv6 echo, but never put a whole page into the label.
    constexpr qsizetype kLongestAddress = 45;
    qsizetype end = reply.indexOf(QLatin1Char(' '));
    if (end < 0)
        end = reply.size();
    QString word = reply.left(end);
    const qsizetype lineEnd = word.indexOf(QRegularExpression(QStringLiteral("[\\r\\n\\t]")));
    if (lineEnd >= 0)
        word.truncate(lineEnd);
    word = word.trimmed();
    if (word.size() > kLongestAddress)
        return QString();
    return word;
}

} // namespace mUrlSource

UrlSource::UrlSource(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_timer(new QTimer(this))
{
    m_manager->setProxy(QNetworkProxy::NoProxy); // direct access
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_reply)
            m_reply->abort(); // finished() follows with what was read
    });
}

UrlSource::~UrlSource()
{
    abandon();
}

void UrlSource::abandon()
{
    m_timer->stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
}

void UrlSource::GetUrlSource(const QString &url, int timeoutMs)
{
    abandon();
    m_body.clear();
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("vb wininet"));
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &UrlSource::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &UrlSource::done);
    m_timer->start(timeoutMs);
}

void UrlSource::readSome()
{
    if (!m_reply)
        return;
    const QByteArray piece = m_reply->read(kBodyLimit - m_body.size());
    m_body += piece;
    if (m_body.size() >= kBodyLimit)
        m_reply->abort();
}

void UrlSource::done()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    readSome();
    m_timer->stop();
    m_reply = nullptr;
    reply->deleteLater();
    // An HTTP error page is not the echo we asked for.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        m_body.clear();
    Q_EMIT finished(Ansi::decode(m_body));
}

} // namespace vantrel
