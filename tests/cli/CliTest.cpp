#include "export/ExportTestSupport.h"
#include "strat/StratFile.h"
#include "support/FullDisk.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <bit>
#include <csignal>
#include <limits>

using namespace vantrel;

namespace {

struct CliRun
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun cli(const QStringList &args, const QString &tmpdir = {})
{
    QProcess p;
    if (!tmpdir.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), tmpdir);
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(VANTREL_CLI_PATH), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

Strat sample()
{
    Strat s;
    s.Overview = QStringLiteral("depot.png");
    s.Title = QStringLiteral("Ação rápida");
    s.Objects.append({3, 150, 225});
    s.Objects.append({-1, 0, 0});
    s.Texts.append({10, 20, QStringLiteral("Fumaça € aqui")});
    s.LineColors.append(kButtonFaceColor);
    StratMovement m;
    m.ObjectIndex = 1;
    m.PointCount = 2;
    m.Points = {{}, {0, 300, 400, 8}, {12, 500, 600, 3}};
    s.Movements.append(m);
    s.Links.append({QStringLiteral("http://example.org/\u4e16"), 0, 1, 2});
    s.Texts.append({30, 40, QString::fromUtf8("smoke \xF0\x9F\x92\xA8")});
    s.drawings = {
        {DrawingKind::Pen, {{10, 20}, {-30, 40}, {50, 60}}, 0x00FF00, 15, false, 0, 0},
        {DrawingKind::Ellipse, {{100, 100}, {900, 600}}, 0x0a0b0c, 60, true, 300, 420},
    };
    return s;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void expectOneLineNaming(const CliRun &r, const QString &file)
{
    EXPECT_GT(r.status, 0);
    EXPECT_LT(r.status, 128);
    const QString err = QString::fromUtf8(r.err);
    EXPECT_EQ(err.count(QLatin1Char('\n')), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(file)) << err.toStdString();
}

} // namespace

TEST(CliInfo, JsonShowsTheStratAsOpened)
{
    test::TempHome home;
    const QString path = home.file(QStringLiteral("s.vtr"));
    ASSERT_TRUE(StratFile::write(path, sample()).ok);

    const CliRun r = cli({QStringLiteral("info"), QStringLiteral("--json"), path});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o[QStringLiteral("title")].toString(), QStringLiteral("Ação rápida"));
    EXPECT_EQ(o[QStringLiteral("overview")].toString(), QStringLiteral("depot.png"));
    EXPECT_EQ(o[QStringLiteral("objects")].toArray().size(), 2);
    EXPECT_EQ(o[QStringLiteral("objects")][1][QStringLiteral("PictureIndex")].toInt(), -1);
    EXPECT_EQ(o[QStringLiteral("texts")][0][QStringLiteral("Caption")].toString(),
              QStringLiteral("Fumaça € aqui"));
    EXPECT_EQ(o[QStringLiteral("colors")][0].toDouble(), 2147483663.0);
    const QJsonObject m = o[QStringLiteral("movements")][0].toObject();
    EXPECT_EQ(m[QStringLiteral("PointCount")].toInt(), 2);
    EXPECT_EQ(m[QStringLiteral("Points")].toArray().size(), 2);
    EXPECT_EQ(m[QStringLiteral("Points")][1][QStringLiteral("StartFrame")].toInt(), 12);
    EXPECT_EQ(o[QStringLiteral("links")][0][QStringLiteral("PointIndex")].toInt(), 2);
    EXPECT_EQ(o[QStringLiteral("links")][0][QStringLiteral("Target")].toString(),
              QStringLiteral("http://example.org/\u4e16"));
    EXPECT_EQ(o[QStringLiteral("texts")][1][QStringLiteral("Caption")].toString(),
              QString::fromUtf8("smoke \xF0\x9F\x92\xA8"));
    const QJsonDocument zone(o[QStringLiteral("drawings")][1].toObject());
    EXPECT_EQ(zone.toJson(QJsonDocument::Compact),
              R"({"color":"#0a0b0c","filled":true,"fromFrame":300,"kind":"ellipse",)"
              R"("points":[[100,100],[900,600]],"toFrame":420,"width":60})");
}

TEST(CliInfo, EmptyStratHasEmptyListsAndSummaryWithoutJson)
{
    test::TempHome home;
    const QString path = home.file(QStringLiteral("e.vtr"));
    ASSERT_TRUE(StratFile::write(path, Strat()).ok);
    CliRun r = cli({QStringLiteral("info"), QStringLiteral("--json"), path});
    ASSERT_EQ(r.status, 0);
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    for (const char *key : {"objects", "texts", "colors", "movements", "links"})
        EXPECT_TRUE(o[QLatin1String(key)].toArray().isEmpty()) << key;

    r = cli({QStringLiteral("info"), path});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("objects:"));
}

TEST(CliCreate, JsonRoundTripGivesTheSameBytes)
{
    test::TempHome home;
    const QString original = home.file(QStringLiteral("a.vtr"));
    // Numbers JSON cannot hold make the round trip bit for bit too.
    Strat odd = sample();
    for (uint32_t bits : {0x7FC00000u, 0xFFC00000u, 0x7F800001u, 0x7FA00001u, 0x80000000u,
                          0x00000001u, 0x7F7FFFFFu, 0x7F800000u, 0xFF800000u})
        odd.Objects.append({1, std::bit_cast<float>(bits), -std::bit_cast<float>(bits)});
    ASSERT_TRUE(StratFile::write(original, odd).ok);
    const CliRun info = cli({QStringLiteral("info"), QStringLiteral("--json"), original});
    const QString json = home.write(QStringLiteral("a.json"), info.out);
    const QString copy = home.file(QStringLiteral("b.vtr"));

    const CliRun r = cli({QStringLiteral("create"), json, copy});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile a(original), b(copy);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST(CliCreate, MissingListsAreEmptyAndLongNamesAreCut)
{
    test::TempHome home;
    const QString json
        = home.write(QStringLiteral("d.json"),
                     R"({"title": "A title that is much longer than thirty-two characters",
            "overview": "an_overview_name_too_long.png"})");
    const QString out = home.file(QStringLiteral("d.vtr"));
    ASSERT_EQ(cli({QStringLiteral("create"), json, out}).status, 0);
    Strat s;
    ASSERT_TRUE(StratFile::read(out, s).ok);
    EXPECT_EQ(s.Title.trimmed(), QStringLiteral("A title that is much longer than"));
    EXPECT_EQ(s.Overview.trimmed(), QStringLiteral("an_overview_name"));
    EXPECT_EQ(QFile(out).size(), 157);
}

TEST(CliErrors, BadInputGivesOneLineAndAStatusBelow128)
{
    test::TempHome home;
    const QString missing = home.file(QStringLiteral("missing.vtr"));
    expectOneLineNaming(cli({QStringLiteral("info"), missing}), missing);

    // A device never ends: refused, not read until memory runs out.
    expectOneLineNaming(cli({QStringLiteral("info"), QStringLiteral("/dev/zero")}),
                        QStringLiteral("/dev/zero"));

    const QString broken = home.write(QStringLiteral("broken.vtr"), QByteArray(60, '\xff'));
    expectOneLineNaming(cli({QStringLiteral("info"), QStringLiteral("--json"), broken}), broken);

    const QString badJson = home.write(QStringLiteral("bad.json"), "{\"objects\": [");
    expectOneLineNaming(
        cli({QStringLiteral("create"), badJson, home.file(QStringLiteral("x.vtr"))}), badJson);

    // Records of the wrong shape: each is named by its JSON path.
    const std::pair<const char *, const char *> shapes[] = {
        {R"("objects": [{"Left": "x"}])", "objects[0].Left"},
        {R"("drawings": [{"kind": "star", "points": [[0, 0]]}])", "drawings[0].kind"},
        {R"("drawings": [{"kind": "line", "points": [[0, 0]]}])", "drawings[0].points"},
        {R"("drawings": [{"kind": "pen", "points": [[0, 0.5]]}])", "drawings[0].points[0]"},
        {R"("drawings": [{"kind": "pen", "points": [[0, 0]], "color": "red"}])",
         "drawings[0].color"},
    };
    for (const auto &[doc, path] : shapes) {
        const QString wrongShape
            = home.write(QStringLiteral("shape.json"),
                         QByteArray(R"({"title": "", "overview": "", )") + doc + '}');
        const CliRun r
            = cli({QStringLiteral("create"), wrongShape, home.file(QStringLiteral("y.vtr"))});
        expectOneLineNaming(r, wrongShape);
        EXPECT_TRUE(r.err.contains(path)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("y.vtr"))));
    }
}

TEST(CliLpk, BuildThenDumpThenBuildGivesTheSameBytes)
{
    test::TempHome home;
    const QString source = home.write(QStringLiteral("pt.json"), R"json({
        "windows": [{"name": "frmMov", "caption": "Movimento",
                     "controls": [{"key": "optVel(2)", "caption": "Granada"}]}],
        "strings": [{"id": "s0000", "text": "dicas.dat"}, {"id": "s0012", "text": "Olá"}]})json");
    const QString first = home.file(QStringLiteral("a.lpk"));
    ASSERT_EQ(cli({QStringLiteral("lpk"), QStringLiteral("build"), source, first}).status, 0);
    const CliRun dumped = cli({QStringLiteral("lpk"), QStringLiteral("dump"), first});
    ASSERT_EQ(dumped.status, 0);
    EXPECT_TRUE(QString::fromUtf8(dumped.out).contains(QStringLiteral("Olá")));
    const QString again = home.write(QStringLiteral("again.json"), dumped.out);
    const QString second = home.file(QStringLiteral("b.lpk"));
    ASSERT_EQ(cli({QStringLiteral("lpk"), QStringLiteral("build"), again, second}).status, 0);
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    const QString damaged = home.write(QStringLiteral("bad.lpk"), QByteArray(20, 'x'));
    expectOneLineNaming(cli({QStringLiteral("lpk"), QStringLiteral("dump"), damaged}), damaged);
    const QString badShape
        = home.write(QStringLiteral("shape.json"), R"({"strings": [{"id": 1}]})");
    expectOneLineNaming(cli({QStringLiteral("lpk"), QStringLiteral("build"), badShape,
                             home.file(QStringLiteral("c.lpk"))}),
                        badShape);
    EXPECT_EQ(cli({QStringLiteral("lpk"), QStringLiteral("dump")}).status, 2);
}

TEST(CliOutputs, DevicesFifosTheInputItselfAndAFullDiskWriteNothing)
{
    test::TempHome home;
    const QString strat = home.file(QStringLiteral("s.vtr"));
    ASSERT_TRUE(StratFile::write(strat, sample()).ok);
    const QString doc
        = home.write(QStringLiteral("doc.json"),
                     cli({QStringLiteral("info"), QStringLiteral("--json"), strat}).out);
    const QString pack
        = home.write(QStringLiteral("pack.json"),
                     R"({"windows": [], "strings": [{"id": "s0000", "text": "t"}]})");
    const QString fifo = home.file(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo), 0600), 0);
    const QString fifoJpg = home.file(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifoJpg), 0600), 0);
    const QString deviceJpg = home.file(QStringLiteral("null.jpg"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), deviceJpg));
    const QString imageIn = home.file(QStringLiteral("in.jpg"));
    ASSERT_TRUE(QFile::copy(strat, imageIn));
    const QString outStrat = home.file(QStringLiteral("out.vtr"));
    const QString outPack = home.file(QStringLiteral("out.lpk"));
    const QString lpk = QStringLiteral("lpk");
    const QString build = QStringLiteral("build");
    const QString create = QStringLiteral("create");

    const struct
    {
        QStringList args;
        QString named; // the file the message names
        QString reason;
    } cases[] = {
        {{create, doc, QStringLiteral("/dev/null")},
         QStringLiteral("/dev/null"),
         QStringLiteral("not a regular file")},
        {{create, doc, fifo}, fifo, QStringLiteral("not a regular file")},
        {{lpk, build, pack, fifo}, fifo, QStringLiteral("not a regular file")},
        {{create, doc, doc}, doc, QStringLiteral("the same file as the input")},
        {{lpk, build, pack, pack}, pack, QStringLiteral("the same file as the input")},
        // JSON inputs go through the bounded reader: nothing waits or grows.
        {{create, fifo, outStrat}, fifo, QStringLiteral("not a regular file")},
        {{lpk, build, QStringLiteral("/dev/zero"), outPack},
         QStringLiteral("/dev/zero"),
         QStringLiteral("not a regular file")},
        // A source of another kind, or of no kind, is not built.
        {{create, home.write(QStringLiteral("empty.json"), "{}"), outStrat},
         QString(),
         QStringLiteral("overview is missing")},
        {{create, pack, outStrat}, pack, QStringLiteral("is not a known field")},
        {{lpk, build, home.file(QStringLiteral("empty.json")), outPack},
         QString(),
         QStringLiteral("windows is missing")},
        {{lpk, build, doc, outPack}, doc, QStringLiteral("is not a known field")},
#ifdef VANTREL_CLI_RENDERS
        {{QStringLiteral("render"), imageIn, QStringLiteral("--image"), imageIn},
         imageIn,
         QStringLiteral("the same file as the input")},
        // The picture's name keeps its ".jpg": a device reached by a link, a FIFO.
        {{QStringLiteral("render"), strat, QStringLiteral("--image"), deviceJpg},
         deviceJpg,
         QStringLiteral("not a regular file")},
        {{QStringLiteral("render"), strat, QStringLiteral("--image"), fifoJpg},
         fifoJpg,
         QStringLiteral("not a regular file")},
#endif
    };
    const QByteArray docBytes = bytesOf(doc);
    const QByteArray packBytes = bytesOf(pack);
    const QByteArray imageBytes = bytesOf(imageIn);
    for (const auto &c : cases) {
        const CliRun r = cli(c.args);
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        expectOneLineNaming(r, c.named);
        EXPECT_TRUE(r.err.contains(c.reason.toUtf8())) << r.err.toStdString();
    }
    EXPECT_EQ(bytesOf(doc), docBytes);
    EXPECT_EQ(bytesOf(pack), packBytes);
    EXPECT_EQ(bytesOf(imageIn), imageBytes);
    EXPECT_FALSE(QFile::exists(outStrat));
    EXPECT_FALSE(QFile::exists(outPack));
    struct stat info;
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));

    // On a full disk both writers fail, say why and leave the old files whole.
    test::FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const QString oldStrat = disk.write(QStringLiteral("old.vtr"), "old strat");
    const QString oldPack = disk.write(QStringLiteral("old.lpk"), "old pack");
    disk.fill();
    for (const QStringList &args :
         {QStringList{create, doc, oldStrat}, QStringList{lpk, build, pack, oldPack}}) {
        const CliRun r = cli(args);
        expectOneLineNaming(r, args.last());
        EXPECT_TRUE(r.err.contains("No space left on device")) << r.err.toStdString();
    }
    EXPECT_EQ(bytesOf(oldStrat), "old strat");
    EXPECT_EQ(bytesOf(oldPack), "old pack");
}

TEST(CliLpk, EveryShippedPackSurvivesDumpAndBuild)
{
    test::TempHome home;
    const QDir sources(qEnvironmentVariable("VANTREL_TEST_SOURCE_DIR")
                       + QStringLiteral("/assets/lang"));
    const QStringList packs = sources.entryList({QStringLiteral("*.json")}, QDir::Files);
    ASSERT_GE(packs.size(), 3);
    for (const QString &name : packs) {
        const QString built = home.file(name + QStringLiteral(".lpk"));
        ASSERT_EQ(
            cli({QStringLiteral("lpk"), QStringLiteral("build"), sources.filePath(name), built})
                .status,
            0)
            << qPrintable(name);
        const CliRun dumped = cli({QStringLiteral("lpk"), QStringLiteral("dump"), built});
        const QString again = home.file(name + QStringLiteral(".again.lpk"));
        ASSERT_EQ(cli({QStringLiteral("lpk"), QStringLiteral("build"),
                       home.write(name + QStringLiteral(".dump.json"), dumped.out), again})
                      .status,
                  0);
        EXPECT_EQ(bytesOf(built), bytesOf(again)) << qPrintable(name);
    }
}

#ifdef VANTREL_CLI_RENDERS

TEST(CliRender, ImageAtAFrameIsTheWindowPicture)
{
    test::TempHome home;
    const QString strat = home.file(QStringLiteral("s.vtr"));
    ASSERT_TRUE(StratFile::write(strat, sample()).ok);
    const QString still = home.file(QStringLiteral("still"));
    const QString moving = home.file(QStringLiteral("moving.JPG"));
    const CliRun a = cli({QStringLiteral("render"), strat, QStringLiteral("--image"), still});
    EXPECT_EQ(a.status, 0) << a.err.toStdString();
    EXPECT_TRUE(a.err.isEmpty()) << a.err.toStdString();
    const CliRun b = cli({QStringLiteral("render"), strat, QStringLiteral("--image"), moving,
                          QStringLiteral("--frame"), QStringLiteral("30")});
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    const QImage stopped = test::decodedByDjpeg(still + QStringLiteral(".jpg"));
    const QImage running = test::decodedByDjpeg(moving);
    EXPECT_EQ(stopped.size(), QSize(799, 585));
    EXPECT_EQ(running.size(), QSize(799, 585));
    // The object has left its place and its markers and lines have gone.
    EXPECT_GT(test::meanDifference(stopped, running), 0.05);
}

TEST(CliRender, BadStratTargetOrUsageLeaveNoFile)
{
    test::TempHome home;
    const QString strat = home.file(QStringLiteral("s.vtr"));
    ASSERT_TRUE(StratFile::write(strat, sample()).ok);
    const QString broken = home.write(QStringLiteral("broken.vtr"), QByteArray(60, '\xff'));
    const QString out = home.file(QStringLiteral("out.jpg"));
    expectOneLineNaming(cli({QStringLiteral("render"), broken, QStringLiteral("--image"), out}),
                        broken);
    const QString unwritable = home.file(QStringLiteral("no/such/dir/out.jpg"));
    expectOneLineNaming(
        cli({QStringLiteral("render"), strat, QStringLiteral("--image"), unwritable}), unwritable);
    for (const QStringList &bad : {
             QStringList{QStringLiteral("render"), strat},
             QStringList{QStringLiteral("render"), strat, QStringLiteral("--image"), out,
                         QStringLiteral("--frame"), QStringLiteral("-1")},
             QStringList{QStringLiteral("render"), strat, QStringLiteral("--image"), out,
                         QStringLiteral("--codec"), QStringLiteral("raw")},
         })
        EXPECT_EQ(cli(bad).status, 2) << bad.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST(CliRender, VideoRecordsAsRecStopAndSave)
{
    test::TempHome home;
    const QString strat = home.file(QStringLiteral("s.vtr"));
    ASSERT_TRUE(StratFile::write(strat, sample()).ok);
    struct Case
    {
        QStringList options;
        const char *file;
        const char *codec;
        const char *size;
        const char *rate;
        int frames;
    };
    auto words = [](const char *line) {
        return QString::fromLatin1(line).split(u' ');
    };
    // The options reach the video (every format at every rate is checked
    // where the video is written).
    const Case cases[] = {
        {{}, "plan.avi", "mjpeg", "800x600", "11/1", 12},
        {words("--frames 20 --codec raw"), "raw.avi", "rawvideo", "800x600", "11/1", 3},
        {words("--codec h264 --quality 28"), "share.mp4", "h264", "800x600", "11/1", 12},
        {words("--codec gif --full-motion --rate 32 --frames 64 --half"), "full.gif", "gif",
         "400x300", "32/1", 32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QString written = home.file(QString::fromLatin1(c.file));
        const CliRun r = cli(QStringList{QStringLiteral("render"), strat, QStringLiteral("--video"),
                                         written.chopped(4)}
                             + c.options);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        const test::Probe p = test::probe(written);
        EXPECT_EQ(p.codec, QLatin1String(c.codec));
        EXPECT_EQ(p.size, QLatin1String(c.size));
        EXPECT_EQ(p.rate, QLatin1String(c.rate));
        EXPECT_EQ(p.frames, c.frames);
        EXPECT_EQ(test::decodeAll(written).size(), c.frames);
    }
    // The program folder's own frames are left alone.
    EXPECT_FALSE(QDir(home.file(QStringLiteral("video"))).exists());

    const QString unwritable = home.file(QStringLiteral("no/dir/v.avi"));
    expectOneLineNaming(
        cli({QStringLiteral("render"), strat, QStringLiteral("--video"), unwritable}), unwritable);
    for (const char *bad :
         {"--codec x", "--quality 0", "--frame -3", "--codec h264 --quality 60", "--half",
          "--codec gif --quality 50", "--codec h264 --rate 32", "--full-motion --rate 48",
          "--full-motion --rate 32", "--frames 100001"}) {
        const QStringList option = words(bad);
        EXPECT_EQ(cli(QStringList{QStringLiteral("render"), strat, QStringLiteral("--video"),
                                  home.file(QStringLiteral("bad.avi"))}
                      + option)
                      .status,
                  2)
            << bad;
    }
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("bad.avi"))));
    // A render of no frames says so and writes nothing.
    const QString none = home.file(QStringLiteral("none.avi"));
    const CliRun empty = cli({QStringLiteral("render"), strat, QStringLiteral("--video"), none,
                              QStringLiteral("--frames"), QStringLiteral("0")});
    EXPECT_EQ(empty.status, 1);
    EXPECT_TRUE(empty.err.contains("no frames")) << empty.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

// Ticking ends where every movement rests (the frames after it are the rest
// picture), so a long render needs the scratch room of the movement alone;
// the scratch files go on every way out, an interrupted render's too.
TEST(CliRender, VideoStopsTickingAtRestAndLeavesNoScratch)
{
    test::TempHome home;
    const QString strat = home.file(QStringLiteral("s.vtr"));
    ASSERT_TRUE(StratFile::write(strat, sample()).ok);
    test::FullDisk scratch("size=48m"); // 2000 frames of scratch would take 300 MB
    if (!scratch.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    // What the render leaves in its temporary folder (Qt's own runtime folder
    // may settle there too, having no other home).
    auto scratchLeft = [&] {
        QStringList left = QDir(scratch.path())
                               .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeAll(QStringLiteral("runtime-root"));
        return left;
    };
    const QString written = home.file(QStringLiteral("long.avi"));
    const CliRun r = cli({QStringLiteral("render"), strat, QStringLiteral("--video"), written,
                          QStringLiteral("--frames"), QStringLiteral("2000")},
                         scratch.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(test::probe(written).frames, 223);
    const QList<QImage> decoded = test::decodeAll(written);
    ASSERT_EQ(decoded.size(), 223);
    EXPECT_EQ(decoded[222], decoded[100]);
    EXPECT_EQ(scratchLeft(), QStringList());

    // Interrupted (while it records or writes): no scratch, no video, the
    // signal's status.
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), scratch.path());
    p.setProcessEnvironment(env);
    const QString stopped = home.file(QStringLiteral("stopped.avi"));
    p.start(QStringLiteral(VANTREL_CLI_PATH),
            {QStringLiteral("render"), strat, QStringLiteral("--video"), stopped,
             QStringLiteral("--frames"), QStringLiteral("100000")});
    for (int n = 0; n < 300 && scratchLeft().isEmpty(); ++n)
        p.waitForFinished(100);
    p.waitForFinished(1500);
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 128 + SIGTERM);
    EXPECT_EQ(scratchLeft(), QStringList());
    EXPECT_EQ(QDir(home.path()).entryList({QStringLiteral("stopped*")}, QDir::Files | QDir::Hidden),
              QStringList());
}

#endif // VANTREL_CLI_RENDERS
