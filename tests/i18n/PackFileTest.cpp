// The pack file: which fields are enciphered, the array descriptor, damaged
// files, and the JSON form the pack tools use.
#include "PackTestSupport.h"
#include "i18n/LanguagePack.h"
#include "i18n/PackJson.h"
#include "i18n/TipsFile.h"
#include "strat/Bytes.h"
#include "support/TempHome.h"

#include <QFile>
#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace vantrel;
using vantrel::test::Bytes;

namespace {

// Enciphers by hand with a shift of 3, independently of the writer.
QByteArray shifted(const char *s)
{
    QByteArray b(s);
    for (char &c : b)
        c = char(c + 3);
    return b;
}

Bytes &shiftedText(Bytes &b, const char *s)
{
    const QByteArray e = shifted(s);
    return b.i16(int16_t(e.size())).chars(e.constData(), int(e.size()));
}

Bytes &emptyControl(Bytes &b)
{
    return b.text("").text("").text("").text("").text("").text("").i32(0);
}

// One window "frmX" whose two used controls sit at 1..2 of a list stored
// with lower bound 1 and a third, unused element.
QByteArray handMadePack()
{
    Bytes b;
    b.chars("ABCD", 4).padded("header", 32);
    b.i16(1);
    // Window 0, stored as is.
    b.text("w0").text("").text("").text("").i16(0).i16(1).i32(1).i32(0);
    emptyControl(b);
    // Window 1: first, name and caption enciphered; the override as stored.
    shiftedText(b, "f");
    shiftedText(b, "frmX");
    shiftedText(b, "Janela");
    b.text("Over").i16(2).i16(1).i32(3).i32(1);
    b.text("first");
    shiftedText(b, "cmdOK");
    shiftedText(b, "Sim");
    shiftedText(b, "");
    shiftedText(b, "");
    shiftedText(b, "Dica").i32(77);
    b.text("");
    shiftedText(b, "lbl(3)");
    shiftedText(b, "Tres");
    b.text("").text("").text("").i32(0);
    emptyControl(b); // past C: not used
    b.i16(1).text("s0").text("zero");
    shiftedText(b, "s0009");
    shiftedText(b, "Demais");
    return b.bytes();
}

} // namespace

TEST(PackFile, DeciphersExactlyTheListedFields)
{
    PackData p;
    ASSERT_TRUE(PackFile::decode(handMadePack(), QStringLiteral("x.lpk"), p));
    EXPECT_EQ(p.window0.first, QStringLiteral("w0"));
    ASSERT_EQ(p.windows.size(), 1);
    const PackWindow &w = p.windows[0];
    EXPECT_EQ(w.name, QStringLiteral("frmX"));
    EXPECT_EQ(w.caption, QStringLiteral("Janela"));
    EXPECT_EQ(w.captionOverride, QStringLiteral("Over"));
    ASSERT_EQ(w.controls.size(), 2);
    EXPECT_EQ(w.controls[0].first, QStringLiteral("first"));
    EXPECT_EQ(w.controls[0].key, QStringLiteral("cmdOK"));
    EXPECT_EQ(w.controls[0].toolTipOverride, QStringLiteral("Dica"));
    EXPECT_EQ(w.controls[0].value, 77);
    EXPECT_EQ(w.controls[1].caption, QStringLiteral("Tres"));
    EXPECT_EQ(p.string0.value, QStringLiteral("zero"));
    ASSERT_EQ(p.strings.size(), 1);
    EXPECT_EQ(p.strings[0].value, QStringLiteral("Demais"));
}

TEST(PackFile, WritesWhatItReadsAndRoundTripsThroughJson)
{
    PackData p = test::samplePack();
    p.window0.first = QStringLiteral("zero");
    p.windows[0].controls[0].value = 5;
    p.strings.append({QStringLiteral("s0012"), QStringLiteral("Bem-vindo, Müller: ñ")});
    QByteArray bytes;
    ASSERT_TRUE(PackFile::encode(p, bytes));
    PackData back;
    ASSERT_TRUE(PackFile::decode(bytes, QStringLiteral("p.lpk"), back));
    PackData viaJson;
    QString error;
    ASSERT_TRUE(PackJson::fromJson(PackJson::toJson(back), viaJson, &error)) << qPrintable(error);
    QByteArray again;
    ASSERT_TRUE(PackFile::encode(viaJson, again));
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(back.strings[1].value, QStringLiteral("Bem-vindo, Müller: ñ"));
}

TEST(PackFile, RefusesTextsItCannotStore)
{
    for (const QString &t : {QStringLiteral("\u00ff"), QStringLiteral("\u4e2d")}) {
        QByteArray bytes;
        const FileResult r = PackFile::encode(test::samplePack({{QStringLiteral("s1"), t}}), bytes);
        EXPECT_FALSE(r) << qPrintable(t);
        EXPECT_TRUE(bytes.isEmpty());
    }
}

TEST(PackFile, DamagedPacksAreRefusedWithTheFileName)
{
    const QByteArray good = handMadePack();
    QByteArray negativeWindows = good;
    negativeWindows[36] = char(0xff);
    negativeWindows[37] = char(0xff);
    QByteArray hugeWindows = good;
    hugeWindows[36] = char(0xff);
    hugeWindows[37] = char(0x7f);
    QByteArray belowShift = good;
    belowShift[belowShift.size() - 1] = char(1);
    Bytes hugeControls;
    hugeControls.chars("ABCD", 4).padded("", 32).i16(0).text("").text("").text("").text("");
    hugeControls.i16(0).i16(1).i32(0x7fffffff).i32(0);
    Bytes twoDims;
    twoDims.chars("ABCD", 4).padded("", 32).i16(0).text("").text("").text("").text("");
    twoDims.i16(0).i16(2).i32(0).i32(0).i16(0);
    Bytes countPastList;
    countPastList.chars("ABCD", 4).padded("", 32).i16(1).text("").text("").text("").text("");
    countPastList.i16(0).i16(1).i32(0).i32(0);
    countPastList.text("").text("").text("").text("").i16(3).i16(1).i32(1).i32(0);
    emptyControl(countPastList).i16(0).text("").text("");

    const QByteArray cases[] = {QByteArray(),         good.left(30),   good.left(good.size() - 1),
                                negativeWindows,      hugeWindows,     belowShift,
                                hugeControls.bytes(), twoDims.bytes(), countPastList.bytes()};
    int n = 0;
    for (const QByteArray &bytes : cases) {
        PackData p;
        p.strings.append({QStringLiteral("old"), QStringLiteral("old")});
        const FileResult r = PackFile::decode(bytes, QStringLiteral("/x/Bad.lpk"), p);
        EXPECT_FALSE(r) << "case " << n;
        EXPECT_TRUE(r.message.contains(QStringLiteral("/x/Bad.lpk"))) << qPrintable(r.message);
        EXPECT_TRUE(p.strings.isEmpty());
        ++n;
    }
}

TEST(PackJson, BadShapesAreNamed)
{
    const struct
    {
        const char *json;
        const char *mentions;
    } cases[] = {
        {R"({"headerA": "AB", "windows": [], "strings": []})", "headerA must have 4"},
        {R"({"windows": [{"name": 3}], "strings": []})", "windows[0].name is not a text"},
        {R"({"windows": [{"controls": [{"value": "x"}]}], "strings": []})",
         "windows[0].controls[0].value is not a whole number"},
        {R"({"windows": [], "strings": [{"id": "s0000", "text": []}]})",
         "strings[0].text is not a text"},
        {R"({"windows": [], "strings": {"id": "s0000"}})", "strings is not a list"},
        {R"({"windows": {}, "strings": []})", "windows is not a list"},
        {R"({"windows": [], "strings": ["s0000"]})", "strings[0] is not an object"},
        {R"({"windows": [], "strings": [{"id": "s0001"}]})", "strings[0].text is missing"},
        {R"({"windows": [{"nmae": "x"}], "strings": []})", "windows[0].nmae is not a known field"},
        {R"({"windows": [], "strings": [], "string": []})", "string is not a known field"},
        {R"({"strings": []})", "windows is missing"},
    };
    for (const auto &c : cases) {
        PackData p;
        QString error;
        EXPECT_FALSE(PackJson::fromJson(QJsonDocument::fromJson(c.json).object(), p, &error))
            << c.json;
        EXPECT_TRUE(error.contains(QLatin1String(c.mentions))) << qPrintable(error);
    }
}

TEST(LanguagePack, GetStringIsExactAndFirstWins)
{
    clsLanguagePack pack;
    EXPECT_EQ(pack.GetString(QStringLiteral("s0006")), QString());
    pack.setPack(test::samplePack({{QStringLiteral("s0006"), QStringLiteral("PARAR")},
                                   {QStringLiteral("s0006"), QStringLiteral("second")},
                                   {QStringLiteral("s0007"), QString()}}),
                 QStringLiteral("p.lpk"));
    EXPECT_EQ(pack.GetString(QStringLiteral("s0006")), QStringLiteral("PARAR"));
    EXPECT_EQ(pack.GetString(QStringLiteral("S0006")), QString());
    EXPECT_EQ(pack.text(QStringLiteral("s0005"), QStringLiteral("Export Strat")),
              QStringLiteral("Export Strat"));
    EXPECT_EQ(pack.text(QStringLiteral("s0007"), QStringLiteral("Enter")), QStringLiteral("Enter"));
    EXPECT_EQ(clsLanguagePack::Decrypt(QStringLiteral("Vlp\x01")), QStringLiteral("Sim?"));
}

TEST(PackFile, OnlyRegularFilesAreReadAsPacksOrTips)
{
    // A FIFO in lang/ would block start-up for good, a device never ends.
    // Both go through the bounded reader of regular files.
    const QString path = QStringLiteral("/dev/zero");
    PackData p;
    EXPECT_EQ(PackFile::read(path, p).message,
              QStringLiteral("The language pack cannot be read: /dev/zero: not a regular file."));
    QStringList tips;
    EXPECT_EQ(TipsFile::read(path, tips).message, QStringLiteral("/dev/zero: not a regular file"));
}
