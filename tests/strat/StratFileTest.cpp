#include "Bytes.h"

#include "strat/Ansi.h"
#include "strat/StratFile.h"
#include "support/TempHome.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace vantrel;
using vantrel::test::Bytes;

namespace {

QByteArray encoded(const Strat &s)
{
    QByteArray bytes;
    EXPECT_TRUE(StratFile::encode(s, bytes).ok);
    return bytes;
}

Strat decoded(const QByteArray &bytes)
{
    Strat s;
    const FileResult r = StratFile::decode(bytes, QStringLiteral("t.vtr"), s);
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    return s;
}

// The bytes of the placeholders an empty text and movement list are written as.
Bytes &emptyListsPlaceholders(Bytes &b)
{
    b.i16(1).emptyText().f32(0).f32(0).text("0"); // texts
    b.i16(1).u32(0).u32(0);                       // colours
    b.i16(1).i16(0).i16(0).i16(0);                // movement 0: no point storage
    b.i16(9999).i16(1).i16(1).i32(2).i32(0).emptyPoint().emptyPoint(); // movement placeholder
    return b;
}

// A strat with a deleted object, two movements built alternately, a movement
// whose object was deleted, links on an object and on a way point, and a text
// in the code page's upper half.
Strat sampleStrat()
{
    Strat s;
    s.Overview = QStringLiteral("harbor.png");
    s.Title = QStringLiteral("Rush B");
    s.Objects.append({0, 1000, 2000});
    s.Objects.append({-1, 0, 0});
    s.Objects.append({5, 3000.5f, 4000});
    s.Objects.append({10, 500, 600});
    s.Texts.append({100, 200, QStringLiteral("Tática €1")});
    s.Texts.append({300, 400, QStringLiteral("smoke")});
    s.LineColors.append(kButtonFaceColor);
    s.LineColors.append(0x000000FF);
    s.LineColors.append(0);

    StratMovement m1;
    m1.ObjectIndex = 1;
    m1.PointCount = 2;
    m1.Points = {{}, {0, 1100, 2100, 8}, {30, 1200, 2200, 3}};
    StratMovement m2;
    m2.ObjectIndex = 3;
    m2.PointCount = 1;
    m2.Points = {{}, {5, 3100, 4100, 20}};
    StratMovement gone;
    gone.empty();
    s.Movements.append(m1);
    s.Movements.append(m2);
    s.Movements.append(gone);

    s.Links.append({QStringLiteral("http://example.org/a"), 1, 0, 0});
    s.Links.append({QStringLiteral("C:\\docs\\b.jpg"), 0, 2, 1});
    return s;
}

QByteArray sampleBytes()
{
    Bytes b;
    b.padded("harbor.png", 16).padded("Rush B", 32);
    b.i16(4).emptyObject();
    b.i16(0).f32(1000).f32(2000);
    b.i16(-1).f32(0).f32(0);
    b.i16(5).f32(3000.5f).f32(4000);
    b.i16(10).f32(500).f32(600);
    b.i16(2).emptyText();
    b.f32(100).f32(200).text("T\xe1tica \x80"
                             "1");
    b.f32(300).f32(400).text("smoke");
    b.i16(3).u32(0).u32(0x8000000F).u32(0xFF).u32(0);
    b.i16(3).i16(0).i16(0).i16(0);
    b.i16(1)
        .i16(2)
        .i16(1)
        .i32(3)
        .i32(0)
        .emptyPoint()
        .point(0, 1100, 2100, 8)
        .point(30, 1200, 2200, 3);
    b.i16(3).i16(1).i16(1).i32(2).i32(0).emptyPoint().point(5, 3100, 4100, 20);
    b.i16(0).i16(0).i16(1).i32(1).i32(0).emptyPoint();
    b.i16(2).emptyLink();
    b.text("http://example.org/a").i16(1).i16(0).i16(0);
    b.text("C:\\docs\\b.jpg").i16(0).i16(2).i16(1);
    return b;
}

} // namespace

TEST(StratFileWriting, NewStratIs157BytesOfPlaceholders)
{
    Strat s;
    s.Title = QStringLiteral("Strat1");
    Bytes expected;
    expected.padded("", 16).padded("Strat1", 32).i16(0).emptyObject();
    emptyListsPlaceholders(expected).i16(0).emptyLink();

    const QByteArray bytes = encoded(s);
    EXPECT_EQ(bytes.size(), 157);
    EXPECT_EQ(bytes, expected.bytes());
}

TEST(StratFileWriting, SampleMatchesGoldenBytes)
{
    EXPECT_EQ(encoded(sampleStrat()), sampleBytes());
}

TEST(StratFileWriting, TextTooLongForItsLengthFieldFails)
{
    Strat s;
    s.Texts.append({0, 0, QString(40000, QLatin1Char('x'))});
    QByteArray bytes;
    const FileResult r = StratFile::encode(s, bytes);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
}

// Reading the golden bytes gives the sample (a tail after the link block is
// ignored), and writing what was read gives the same bytes again.
TEST(StratFileReading, GoldenBytesGiveTheSampleAndRoundTripByteIdentical)
{
    EXPECT_EQ(decoded(sampleBytes()), sampleStrat());
    EXPECT_EQ(decoded(sampleBytes() + QByteArray(500, '\x7f')), sampleStrat());
    EXPECT_EQ(encoded(decoded(sampleBytes())), sampleBytes());
    const QByteArray empty = encoded(Strat());
    EXPECT_EQ(encoded(decoded(empty)), empty);
}

TEST(StratFileReading, PlaceholdersBecomeEmptyLists)
{
    Strat s;
    s.Title = QStringLiteral("Strat1");
    const Strat back = decoded(encoded(s));
    for (qsizetype n : {back.Texts.count(), back.Movements.count(), back.LineColors.count(),
                        back.Objects.count(), back.Links.count()})
        EXPECT_EQ(n, 0);
    EXPECT_EQ(back.Title.trimmed(), QStringLiteral("Strat1"));
}

TEST(StratFileReading, SingleDeletedTextIsAnEmptyListButTwoTextsStay)
{
    Strat one;
    one.Texts.append({5, 5, QStringLiteral("x")});
    one.Texts[1] = StratText::tombstone();
    EXPECT_EQ(decoded(encoded(one)).Texts.count(), 0);

    Strat two;
    two.Texts.append(StratText::tombstone());
    two.Texts.append({5, 6, QStringLiteral("B site")});
    const Strat back = decoded(encoded(two));
    ASSERT_EQ(back.Texts.count(), 2);
    EXPECT_TRUE(back.Texts[1].isTombstone());
}

TEST(StratFileReading, EveryTruncationIsAnErrorNamingFileAndOffset)
{
    const QByteArray whole = sampleBytes();
    for (qsizetype n = 0; n < whole.size(); ++n) {
        Strat s;
        s.Objects.append({1, 2, 3});
        const FileResult r = StratFile::decode(whole.left(n), QStringLiteral("cut.vtr"), s);
        ASSERT_FALSE(r.ok) << "accepted a file cut at " << n;
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("cut.vtr: "))) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QStringLiteral("at byte"))) << r.message.toStdString();
        EXPECT_EQ(s, Strat()) << "a failed read must leave the strat empty";
    }
}

namespace {

QString decodeError(const QByteArray &bytes)
{
    Strat s;
    const FileResult r = StratFile::decode(bytes, QStringLiteral("bad.vtr"), s);
    EXPECT_FALSE(r.ok);
    return r.message;
}

Bytes header()
{
    Bytes b;
    b.padded("", 16).padded("", 32);
    return b;
}

} // namespace

TEST(StratFileReading, MalformedCountsAndLengthsAreRefused)
{
    // A negative object count.
    EXPECT_EQ(decodeError(header().i16(-3)),
              QStringLiteral("bad.vtr: negative object count -3 at byte 48"));
    // A count the file cannot hold: refused before any allocation.
    EXPECT_EQ(decodeError(header().i16(32767).emptyObject()),
              QStringLiteral("bad.vtr: object count 32767 is more than the file holds at byte 48"));
    // A negative text length.
    EXPECT_TRUE(decodeError(header().i16(0).emptyObject().i16(1).emptyText().f32(0).f32(0).i16(-5))
                    .contains(QStringLiteral("negative text length -5")));
    // A text length past the end of the file.
    EXPECT_TRUE(
        decodeError(header().i16(0).emptyObject().i16(0).f32(0).f32(0).i16(3000).chars("ab", 2))
            .contains(QStringLiteral("ends early")));

    // Up to the movement count 0; then record 0's object, point count and dimensions.
    Bytes movementsStart = header().i16(0).emptyObject().i16(0).emptyText().i16(0).u32(0);
    // A point list with an unknown number of dimensions.
    EXPECT_TRUE(decodeError(Bytes(movementsStart).i16(0).i16(0).i16(0).i16(7))
                    .contains(QStringLiteral("dimensions")));
    // A point count far beyond the file.
    EXPECT_TRUE(
        decodeError(Bytes(movementsStart).i16(0).i16(0).i16(0).i16(1).i32(0x7fffffff).i32(0))
            .contains(QStringLiteral("point count 2147483647")));
    EXPECT_TRUE(decodeError(Bytes(movementsStart).i16(0).i16(0).i16(0).i16(1).i32(-1).i32(0))
                    .contains(QStringLiteral("point count -1")));
}

TEST(StratFileReading, PointListsAreNumberedFromTheirStoredLowestNumber)
{
    // Movement 1 of object 1 with two way points, its list stored from `lowest`.
    auto file = [](int32_t lowest, int32_t records) {
        Bytes b = header().i16(1).emptyObject().i16(0).f32(0).f32(0);
        b.i16(0).emptyText().i16(1).u32(0).u32(0xFF).i16(1).i16(0).i16(0).i16(0);
        b.i16(1).i16(2).i16(1).i32(records).i32(lowest);
        for (int32_t i = 0; i < records; ++i)
            b.point(lowest + i, 10 * (lowest + i), 0, 1);
        return b.i16(0).emptyLink();
    };
    struct Case
    {
        int32_t lowest;
        int32_t records;
    };
    for (const Case c : {Case{0, 3}, Case{1, 2}, Case{-2, 5}}) {
        const Strat s = decoded(file(c.lowest, c.records));
        ASSERT_EQ(s.Movements.count(), 1) << c.lowest;
        const StratMovement &m = s.Movements[1];
        ASSERT_TRUE(m.hasPoint(1) && m.hasPoint(2)) << c.lowest;
        EXPECT_EQ(m.Points[1], (MovementPoint{1, 10, 0, 1})) << c.lowest;
        EXPECT_EQ(m.Points[2], (MovementPoint{2, 20, 0, 1})) << c.lowest;
    }
}

TEST(StratFileReading, PointListsTakeMemoryBoundedByTheBytesPresent)
{
    // `movements` lists of `count` way points, each stored as one record
    // numbered `lowest`: the empty points below it take no bytes of the file.
    auto file = [](int movements, int16_t count, int32_t lowest) {
        Bytes b = header().i16(1).emptyObject().i16(0).f32(0).f32(0);
        b.i16(0).emptyText().i16(int16_t(movements));
        for (int i = 0; i <= movements; ++i)
            b.u32(0);
        b.i16(int16_t(movements)).i16(0).i16(0).i16(0);
        for (int i = 0; i < movements; ++i)
            b.i16(1).i16(count).i16(1).i32(1).i32(lowest).point(7, 70, 0, 1);
        return b.i16(0).emptyLink();
    };
    // Today's reading stays: the way points 1..count, empty up to the record.
    Strat s = decoded(file(2000, 2, 32767));
    ASSERT_EQ(s.Movements.count(), 2000);
    for (int i = 1; i <= 2000; ++i)
        ASSERT_EQ(s.Movements[i].Points, std::vector<MovementPoint>(3)) << i;
    s = decoded(file(1, 32767, 32767));
    ASSERT_EQ(s.Movements[1].Points.size(), 32768u);
    EXPECT_EQ(s.Movements[1].Points[32767], (MovementPoint{7, 70, 0, 1}));
    // Empty way points beyond what the file's bytes could pay for are refused.
    Strat refused;
    const FileResult r = StratFile::decode(file(2, 32767, 32767), QStringLiteral("f.vtr"), refused);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(QStringLiteral("more empty points than the file can hold")))
        << qPrintable(r.message);
}

TEST(StratFileWriting, FixedFieldsAreExactBytesWhateverTheCharacters)
{
    // Characters outside the Basic Multilingual Plane are two UTF-16 units
    // but one byte each in the file.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    for (const QString &text :
         {emoji, QStringLiteral("A") + emoji + QStringLiteral("B"), emoji.repeated(40),
          QStringLiteral("x").repeated(31) + emoji + emoji}) {
        Strat s;
        s.Title = text;
        s.Overview = text;
        // The core alone; the full title follows it in the extension block.
        const QByteArray bytes = encoded(s).left(157);
        const Strat back = decoded(bytes);
        EXPECT_EQ(back.Title.trimmed(), Ansi::decode(Ansi::encode(StratTitle::fit(text))));
        EXPECT_EQ(back.Overview.padded().size(), 16);
    }
    // The fixed-width text never splits a pair.
    EXPECT_EQ(StratTitle::fit(QStringLiteral("x").repeated(31) + emoji + emoji),
              QStringLiteral("x").repeated(31) + emoji);
}

TEST(StratFileDisk, WriteReadAndAtomicReplace)
{
    vantrel::test::TempHome home;
    const QString path = home.file(QStringLiteral("a.vtr"));
    // An older, longer content is replaced whole: no tail survives.
    home.write(QStringLiteral("a.vtr"), QByteArray(4000, 'z'));
    ASSERT_TRUE(StratFile::write(path, sampleStrat()).ok);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), sampleBytes());

    Strat back;
    ASSERT_TRUE(StratFile::read(path, back).ok);
    EXPECT_EQ(back, sampleStrat());
}

TEST(StratFileDisk, FailuresNameTheFile)
{
    vantrel::test::TempHome home;
    Strat s;
    const QString missing = home.file(QStringLiteral("nope.vtr"));
    FileResult r = StratFile::read(missing, s);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith(missing));

    // Strats are read through the bounded reader of regular files.
    r = StratFile::read(QStringLiteral("/dev/zero"), s);
    EXPECT_EQ(r.message, QStringLiteral("/dev/zero: not a regular file"));

    // A folder where the file should go cannot be written.
    const QString blocked = home.write(QStringLiteral("file"), "x") + QStringLiteral("/sub.vtr");
    r = StratFile::write(blocked, s);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.startsWith(blocked));
}
