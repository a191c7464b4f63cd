// The extension block after the link block: drawings and full texts come
// back, other readers still see the core, and a block is read only when it
// belongs to the core before it.
#include "Bytes.h"

#include "strat/Ansi.h"
#include "strat/Crc32.h"
#include "strat/StratExtension.h"
#include "strat/StratFile.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

using namespace vantrel;
using vantrel::test::Bytes;

namespace {

const QString kEmoji = QString::fromUtf8("\xF0\x9F\x8E\xAF"); // one character, two units

QByteArray encoded(const Strat &s)
{
    QByteArray bytes;
    EXPECT_TRUE(StratFile::encode(s, bytes).ok);
    return bytes;
}

FileResult decodeInto(const QByteArray &bytes, Strat &s)
{
    return StratFile::decode(bytes, QStringLiteral("t.vtr"), s);
}

// The strat as the core of its file reads back (empty lists get storage).
Strat readBack(const Strat &s)
{
    Strat back;
    EXPECT_TRUE(decodeInto(encoded(s), back));
    return back;
}

QString narrowed(const QString &text)
{
    return Ansi::decode(Ansi::encode(text));
}

// A strat with one drawing of every kind and a text outside the code page in
// the title, a text and a link.
Strat drawnStrat()
{
    Strat s;
    s.Overview = QStringLiteral("harbor.png");
    s.Title = QStringLiteral("Rush ") + kEmoji + QStringLiteral(" B  \u4e2d");
    s.Objects.append({0, 1000, 2000});
    s.Texts.append({100, 200, QStringLiteral("smoke ") + kEmoji});
    s.Texts.append({300, 400, QStringLiteral("plain")});
    s.Texts.append({500, 600, QStringLiteral("\u0416\u0443\u043a")});
    s.Links.append({QStringLiteral("http://example.org/\u00e9\u4e16"), 1, 0, 0});
    s.drawings = {
        {DrawingKind::Pen, {{10, 20}, {30, 45}, {-60, 90}, {75, 75}}, 0x00FF00, kThinWidth},
        {DrawingKind::Line, {{0, 0}, {9000, 6000}}, 0xFFFFFF, kMediumWidth, false, 0, 120},
        {DrawingKind::Arrow, {{400, 400}, {-5, 2000000}}, 0x123456, kThickWidth, false, 300, 0},
        {DrawingKind::Rect, {{100, 100}, {900, 600}}, 0xFF0000, 30, true, 10, 20},
        {DrawingKind::Ellipse, {{100, 100}, {900, 600}}, 0x0000FF, 45, false, 0, 0},
    };
    return s;
}

// The same strat as a reader of the core alone sees it.
Strat coreOf(Strat s)
{
    s.drawings.clear();
    s.Title = narrowed(s.Title.padded()).trimmed();
    for (StratText &t : s.Texts.storage())
        t.Caption = narrowed(t.Caption);
    for (StratLink &l : s.Links.storage())
        l.Target = narrowed(l.Target);
    return s;
}

// A block by hand around `body`, for the core `core`, with CRCs that fit.
QByteArray withBlock(const QByteArray &core, const QByteArray &body, uint16_t version = 1)
{
    Bytes block;
    block.chars("VTR-EXT\x1A", 8).u16(version).u32(uint32_t(core.size())).u32(crc32(core));
    block.u32(uint32_t(body.size())).append(body);
    block.u32(crc32(block.bytes()));
    return core + block.bytes();
}

Bytes section(const char *tag, const QByteArray &payload)
{
    Bytes b;
    b.chars(tag, 4).u32(uint32_t(payload.size())).append(payload);
    return b;
}

} // namespace

TEST(StratExtension, Crc32IsTheZipOne)
{
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32(""), 0u);
}

TEST(StratExtension, RepositoryStratsAreWrittenBackByteForByte)
{
    int files = 0;
    QDirIterator it(qEnvironmentVariable("VANTREL_TEST_SOURCE_DIR"), {QStringLiteral("*.vtr")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.contains(QLatin1String("/build")))
            continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
        const QByteArray bytes = f.readAll();
        Strat s;
        ASSERT_TRUE(decodeInto(bytes, s)) << qPrintable(path);
        EXPECT_EQ(encoded(s), bytes) << qPrintable(path);
        ++files;
    }
    EXPECT_GE(files, 3);
}

TEST(StratExtension, DrawingsAndFullTextsRoundTripWhileTheCoreStaysCodePage)
{
    const Strat s = drawnStrat();
    const QByteArray bytes = encoded(s);
    const QByteArray core = encoded(coreOf(s));
    ASSERT_GT(bytes.size(), core.size());
    EXPECT_EQ(bytes.left(core.size()), core);

    Strat back;
    const FileResult r = decodeInto(bytes, back);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.message.isEmpty()) << qPrintable(r.message);
    EXPECT_EQ(back, s);
    EXPECT_EQ(back.Title.trimmed(), s.Title.trimmed());
    EXPECT_EQ(encoded(back), bytes);

    // A reader of the core alone: what the bytes before the block hold.
    Strat coreOnly;
    ASSERT_TRUE(decodeInto(core, coreOnly));
    EXPECT_EQ(coreOnly, coreOf(s));
}

TEST(StratExtension, BlocksOfAnotherCoreAreIgnoredSilently)
{
    const QByteArray ours = encoded(drawnStrat());
    Strat shorter;
    shorter.Title = QStringLiteral("Short");
    Strat sameLength = coreOf(drawnStrat());
    sameLength.Texts[2].Caption = QStringLiteral("plaiN"); // another program's edit
    const QByteArray sameCore = encoded(sameLength);

    struct Case
    {
        const char *name;
        QByteArray bytes;
        Strat expected;
    };
    const Case cases[] = {
        // Another program saved a shorter strat over ours: our tail stays.
        {"shorter core", encoded(shorter) + ours.mid(encoded(shorter).size()), readBack(shorter)},
        // It changed a letter: the block sits where it did, its core CRC fails.
        {"changed core", sameCore + ours.mid(sameCore.size()), sameLength},
        // A block that names a core length other than where it stands.
        {"moved block", encoded(shorter) + ours.mid(encoded(coreOf(drawnStrat())).size()),
         readBack(shorter)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Strat back;
        const FileResult r = decodeInto(c.bytes, back);
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.message.isEmpty()) << qPrintable(r.message);
        EXPECT_EQ(back, c.expected);
    }
}

TEST(StratExtension, BlocksThatCannotBeReadAreLeftOutWithOneNotice)
{
    const QByteArray core = encoded(coreOf(drawnStrat()));
    const Bytes oneLine = Bytes()
                              .u32(1)
                              .u8(1)
                              .u8(0)
                              .u32(0xFF)
                              .i32(30)
                              .i32(0)
                              .i32(0)
                              .u32(2)
                              .i32(1)
                              .i32(2)
                              .i32(3)
                              .i32(4);
    QByteArray flipped = encoded(drawnStrat());
    flipped[flipped.size() - 10] = char(flipped[flipped.size() - 10] ^ 0x40);
    QByteArray cutBlock = encoded(drawnStrat());
    cutBlock.chop(5);

    struct Case
    {
        const char *name;
        QByteArray bytes;
        const char *notice;
    };
    const Case cases[] = {
        {"later version", withBlock(core, section("DRAW", oneLine), 2),
         StratExtension::kNewerNotice},
        {"version 0", withBlock(core, section("DRAW", oneLine), 0), StratExtension::kDamagedNotice},
        {"a flipped bit", flipped, StratExtension::kDamagedNotice},
        {"cut short", cutBlock, StratExtension::kDamagedNotice},
        // Lying counts and lengths, behind CRCs that fit: refused before any
        // allocation (four billion drawings would not fit in memory).
        {"drawing count", withBlock(core, section("DRAW", Bytes().u32(0xFFFFFFFF).u8(0))),
         StratExtension::kDamagedNotice},
        {"point count",
         withBlock(core, section("DRAW", Bytes()
                                             .u32(1)
                                             .u8(0)
                                             .u8(0)
                                             .u32(0)
                                             .i32(30)
                                             .i32(0)
                                             .i32(0)
                                             .u32(0x7FFFFFFF)
                                             .i32(1)
                                             .i32(2))),
         StratExtension::kDamagedNotice},
        {"text count", withBlock(core, section("TEXT", Bytes().u32(0xFFFFFFFF))),
         StratExtension::kDamagedNotice},
        {"text length",
         withBlock(core,
                   section("TEXT", Bytes().u32(1).u8(1).u16(1).u32(0xFFFFFFF0).chars("ab", 2))),
         StratExtension::kDamagedNotice},
        {"section length",
         withBlock(core, Bytes().chars("DRAW", 4).u32(0xFFFFFFF0).append(oneLine)),
         StratExtension::kDamagedNotice},
        {"trailing bytes in a section", withBlock(core, section("DRAW", Bytes(oneLine).u8(0))),
         StratExtension::kDamagedNotice},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Strat back;
        const FileResult r = decodeInto(c.bytes, back);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.message, QLatin1String(c.notice));
        EXPECT_EQ(back, coreOf(drawnStrat())) << "nothing of the block is used";
    }
}

TEST(StratExtension, OnlyWhatThisVersionKnowsIsTaken)
{
    const QByteArray core = encoded(coreOf(drawnStrat()));
    Bytes texts;
    texts.u32(4);
    const QByteArray smoke = (QStringLiteral("smoke ") + kEmoji).toUtf8();
    const QByteArray other = (QStringLiteral("plain ") + kEmoji).toUtf8();
    texts.u8(1).u16(1).u32(uint32_t(smoke.size())).append(smoke); // matches the core: taken
    texts.u8(1).u16(2).u32(uint32_t(other.size())).append(other); // core says "plain": left
    texts.u8(1).u16(40).u32(1).chars("x", 1);                     // no such text
    texts.u8(9).u16(1).u32(1).chars("y", 1);                      // a field of a later writer
    Bytes drawings;
    drawings.u32(3);
    drawings.u8(7).u8(0).u32(0).i32(30).i32(0).i32(0).u32(1).i32(1).i32(1); // later kind
    drawings.u8(1).u8(0).u32(0).i32(30).i32(0).i32(0).u32(1).i32(1).i32(1); // a line of one point
    drawings.u8(1).u8(1).u32(0xAB00FF00).i32(30).i32(5).i32(0).u32(2).i32(1).i32(2).i32(3).i32(4);
    const QByteArray bytes = withBlock(core, Bytes(section("NOTE", "later"))
                                                 .append(section("TEXT", texts))
                                                 .append(section("DRAW", drawings)));

    Strat back;
    const FileResult r = decodeInto(bytes, back);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.message.isEmpty()) << qPrintable(r.message);
    EXPECT_EQ(back.Texts[1].Caption, QStringLiteral("smoke ") + kEmoji);
    EXPECT_EQ(back.Texts[2].Caption, QStringLiteral("plain"));
    // The colour's spare byte is dropped, and only rects and ellipses fill.
    const Drawing line{DrawingKind::Line, {{1, 2}, {3, 4}}, 0x00FF00, 30, false, 5, 0};
    EXPECT_EQ(back.drawings, std::vector<Drawing>{line});
}
