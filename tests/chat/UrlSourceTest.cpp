#include "ChatTestSupport.h"

#include "chat/mUrlSource.h"

#include <gtest/gtest.h>

using namespace vantrel;
using namespace vantrel::test;

namespace {

QString fetch(const QString &url, int timeoutMs = UrlSource::kTimeoutMs)
{
    UrlSource source;
    bool done = false;
    QString result;
    QObject::connect(&source, &UrlSource::finished, [&](const QString &body) {
        result = body;
        done = true;
    });
    source.GetUrlSource(url, timeoutMs);
    EXPECT_TRUE(source.isRunning());
    EXPECT_TRUE(waitUntil([&] { return done; }, timeoutMs + 5000));
    return result;
}

} // namespace

TEST(UrlSource, FetchesTheWholeBodyOfALongReply)
{
    HttpEcho echo;
    echo.body = "203.0.113.77 is how the internet sees you today";
    EXPECT_EQ(fetch(echo.url()), QString::fromLatin1(echo.body));
    EXPECT_TRUE(echo.request.startsWith("GET /simple/ HTTP/1.1"));
    EXPECT_TRUE(echo.request.contains("User-Agent: vb wininet"));
}

TEST(UrlSource, NoServerGivesEmptyText)
{
    EXPECT_EQ(fetch(QStringLiteral("http://127.0.0.1:%1/simple/").arg(unusedPort())), QString());
}

TEST(UrlSource, ServerThatNeverAnswersIsGivenUpOnTime)
{
    HttpEcho echo;
    echo.silent = true;
    EXPECT_EQ(fetch(echo.url(), 100), QString());
}

TEST(UrlSource, AddressIsTheTextBeforeTheFirstBlank)
{
    EXPECT_EQ(mUrlSource::addressFromReply("203.0.113.77 more text"), "203.0.113.77");
    EXPECT_EQ(mUrlSource::addressFromReply("203.0.113.77\r\n"), "203.0.113.77");
    EXPECT_EQ(mUrlSource::addressFromReply("203.0.113.77"), "203.0.113.77");
    EXPECT_EQ(mUrlSource::addressFromReply(""), "");
    EXPECT_EQ(mUrlSource::addressFromReply(" leading blank"), "");
    EXPECT_EQ(mUrlSource::addressFromReply(QString(500, 'x')), ""); // a page, not an address
}
