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
        env.insert("TMPDIR", tmpdir);
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
    s.Texts.append({10, 20, "Fumaça € aqui"});
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

// Each test runs in a clean home that holds the sample strat.
class Cli : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(StratFile::write(strat, sample()).ok); }
    test::TempHome home;
    const QString strat = home.file("s.vtr");
};

using CliInfo = Cli;
using CliCreate = Cli;
using CliErrors = Cli;
using CliLpk = Cli;
using CliOutputs = Cli;
using CliRender = Cli;

} // namespace

TEST_F(CliInfo, JsonShowsTheStratAsOpened)
{
    const CliRun r = cli({"info", "--json", strat});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["title"].toString(), "Ação rápida");
    EXPECT_EQ(o["overview"].toString(), "depot.png");
    EXPECT_EQ(o["objects"].toArray().size(), 2);
    EXPECT_EQ(o["objects"][1]["PictureIndex"].toInt(), -1);
    EXPECT_EQ(o["texts"][0]["Caption"].toString(), "Fumaça € aqui");
    EXPECT_EQ(o["colors"][0].toDouble(), 2147483663.0);
    const QJsonObject m = o["movements"][0].toObject();
    EXPECT_EQ(m["PointCount"].toInt(), 2);
    EXPECT_EQ(m["Points"].toArray().size(), 2);
    EXPECT_EQ(m["Points"][1]["StartFrame"].toInt(), 12);
    EXPECT_EQ(o["links"][0]["PointIndex"].toInt(), 2);
    EXPECT_EQ(o["links"][0]["Target"].toString(), QStringLiteral("http://example.org/\u4e16"));
    EXPECT_EQ(o["texts"][1]["Caption"].toString(), QString::fromUtf8("smoke \xF0\x9F\x92\xA8"));
    const QJsonDocument zone(o["drawings"][1].toObject());
    EXPECT_EQ(zone.toJson(QJsonDocument::Compact),
              R"({"color":"#0a0b0c","filled":true,"fromFrame":300,"kind":"ellipse",)"
              R"("points":[[100,100],[900,600]],"toFrame":420,"width":60})");
}

TEST_F(CliInfo, SummaryWithoutJson)
{
    const CliRun r = cli({"info", strat});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("objects:"));
}

TEST_F(CliCreate, JsonRoundTripGivesTheSameBytes)
{
    const QString original = home.file("a.vtr");
    // Numbers JSON cannot hold make the round trip bit for bit too.
    Strat odd = sample();
    for (uint32_t bits : {0x7FC00000u, 0xFFC00000u, 0x7F800001u, 0x7FA00001u, 0x80000000u,
                          0x00000001u, 0x7F7FFFFFu, 0x7F800000u, 0xFF800000u})
        odd.Objects.append({1, std::bit_cast<float>(bits), -std::bit_cast<float>(bits)});
    ASSERT_TRUE(StratFile::write(original, odd).ok);
    const CliRun info = cli({"info", "--json", original});
    const QString json = home.write("a.json", info.out);
    const QString copy = home.file("b.vtr");

    const CliRun r = cli({"create", json, copy});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile a(original), b(copy);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST_F(CliCreate, MissingListsAreEmptyAndLongNamesAreCut)
{
    const QString json
        = home.write("d.json",
                     R"({"title": "A title that is much longer than thirty-two characters",
            "overview": "an_overview_name_too_long.png"})");
    const QString out = home.file("d.vtr");
    ASSERT_EQ(cli({"create", json, out}).status, 0);
    Strat s;
    ASSERT_TRUE(StratFile::read(out, s).ok);
    EXPECT_EQ(s.Title.trimmed(), "A title that is much longer than");
    EXPECT_EQ(s.Overview.trimmed(), "an_overview_name");
    EXPECT_EQ(QFile(out).size(), 157);
}

TEST_F(CliErrors, BadInputGivesOneLineAndAStatusBelow128)
{
    const QString missing = home.file("missing.vtr");
    expectOneLineNaming(cli({"info", missing}), missing);

    const QString broken = home.write("broken.vtr", QByteArray(60, '\xff'));
    expectOneLineNaming(cli({"info", "--json", broken}), broken);

    const QString badJson = home.write("bad.json", "{\"objects\": [");
    expectOneLineNaming(cli({"create", badJson, home.file("x.vtr")}), badJson);

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
            = home.write("shape.json", QByteArray(R"({"title": "", "overview": "", )") + doc + '}');
        const CliRun r = cli({"create", wrongShape, home.file("y.vtr")});
        expectOneLineNaming(r, wrongShape);
        EXPECT_TRUE(r.err.contains(path)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(home.file("y.vtr")));
    }
}

// The round trip itself is every shipped pack's, below.
TEST_F(CliLpk, DamagedPacksAndBadSourcesGiveOneLine)
{
    const QString damaged = home.write("bad.lpk", QByteArray(20, 'x'));
    expectOneLineNaming(cli({"lpk", "dump", damaged}), damaged);
    const QString badShape = home.write("shape.json", R"({"strings": [{"id": 1}]})");
    expectOneLineNaming(cli({"lpk", "build", badShape, home.file("c.lpk")}), badShape);
    EXPECT_EQ(cli({"lpk", "dump"}).status, 2);
}

TEST_F(CliOutputs, DevicesFifosTheInputItselfAndAFullDiskWriteNothing)
{
    const QString doc = home.write("doc.json", cli({"info", "--json", strat}).out);
    const QString pack
        = home.write("pack.json", R"({"windows": [], "strings": [{"id": "s0000", "text": "t"}]})");
    const QString fifo = home.file("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo), 0600), 0);
    const QString fifoJpg = home.file("pipe.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifoJpg), 0600), 0);
    const QString deviceJpg = home.file("null.jpg");
    ASSERT_TRUE(QFile::link("/dev/null", deviceJpg));
    const QString imageIn = home.file("in.jpg");
    ASSERT_TRUE(QFile::copy(strat, imageIn));
    const QString outStrat = home.file("out.vtr");
    const QString outPack = home.file("out.lpk");
    const QString lpk = "lpk";
    const QString build = "build";
    const QString create = "create";

    const struct
    {
        QStringList args;
        QString named; // the file the message names
        QString reason;
    } cases[] = {
        {{create, doc, "/dev/null"}, "/dev/null", "not a regular file"},
        {{create, doc, fifo}, fifo, "not a regular file"},
        {{lpk, build, pack, fifo}, fifo, "not a regular file"},
        {{create, doc, doc}, doc, "the same file as the input"},
        {{lpk, build, pack, pack}, pack, "the same file as the input"},
        // JSON inputs go through the bounded reader: nothing waits or grows.
        {{create, fifo, outStrat}, fifo, "not a regular file"},
        {{lpk, build, "/dev/zero", outPack}, "/dev/zero", "not a regular file"},
        // A source of another kind, or of no kind, is not built.
        {{create, home.write("empty.json", "{}"), outStrat}, QString(), "overview is missing"},
        {{create, pack, outStrat}, pack, "is not a known field"},
        {{lpk, build, home.file("empty.json"), outPack}, QString(), "windows is missing"},
        {{lpk, build, doc, outPack}, doc, "is not a known field"},
#ifdef VANTREL_CLI_RENDERS
        {{"render", imageIn, "--image", imageIn}, imageIn, "the same file as the input"},
        // The picture's name keeps its ".jpg": a device reached by a link, a FIFO.
        {{"render", strat, "--image", deviceJpg}, deviceJpg, "not a regular file"},
        {{"render", strat, "--image", fifoJpg}, fifoJpg, "not a regular file"},
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
    const QString oldStrat = disk.write("old.vtr", "old strat");
    const QString oldPack = disk.write("old.lpk", "old pack");
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

TEST_F(CliLpk, EveryShippedPackSurvivesDumpAndBuild)
{
    const QDir sources(qEnvironmentVariable("VANTREL_TEST_SOURCE_DIR") + "/assets/lang");
    const QStringList packs = sources.entryList({"*.json"}, QDir::Files);
    ASSERT_GE(packs.size(), 3);
    for (const QString &name : packs) {
        const QString built = home.file(name + ".lpk");
        ASSERT_EQ(cli({"lpk", "build", sources.filePath(name), built}).status, 0)
            << qPrintable(name);
        const CliRun dumped = cli({"lpk", "dump", built});
        const QString again = home.file(name + ".again.lpk");
        ASSERT_EQ(cli({"lpk", "build", home.write(name + ".dump.json", dumped.out), again}).status,
                  0);
        EXPECT_EQ(bytesOf(built), bytesOf(again)) << qPrintable(name);
    }
}

#ifdef VANTREL_CLI_RENDERS

TEST_F(CliRender, ImageAtAFrameIsTheWindowPicture)
{
    const QString still = home.file("still");
    const QString moving = home.file("moving.JPG");
    const CliRun a = cli({"render", strat, "--image", still});
    EXPECT_EQ(a.status, 0) << a.err.toStdString();
    EXPECT_TRUE(a.err.isEmpty()) << a.err.toStdString();
    const CliRun b = cli({"render", strat, "--image", moving, "--frame", "30"});
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    const QImage stopped = test::decodedByDjpeg(still + ".jpg");
    const QImage running = test::decodedByDjpeg(moving);
    EXPECT_EQ(stopped.size(), QSize(799, 585));
    EXPECT_EQ(running.size(), QSize(799, 585));
    // The object has left its place and its markers and lines have gone.
    EXPECT_GT(test::meanDifference(stopped, running), 0.05);
}

TEST_F(CliRender, BadStratTargetOrUsageLeaveNoFile)
{
    const QString broken = home.write("broken.vtr", QByteArray(60, '\xff'));
    const QString out = home.file("out.jpg");
    expectOneLineNaming(cli({"render", broken, "--image", out}), broken);
    const QString unwritable = home.file("no/such/dir/out.jpg");
    expectOneLineNaming(cli({"render", strat, "--image", unwritable}), unwritable);
    for (const QStringList &bad : {
             QStringList{"render", strat},
             QStringList{"render", strat, "--image", out, "--frame", "-1"},
             QStringList{"render", strat, "--image", out, "--codec", "raw"},
         })
        EXPECT_EQ(cli(bad).status, 2) << bad.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CliRender, VideoRecordsAsRecStopAndSave)
{
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
        {words("--frames 20 --codec h264 --quality 28"), "share.mp4", "h264", "800x600", "11/1", 3},
        {words("--codec gif --full-motion --rate 32 --frames 64 --half"), "full.gif", "gif",
         "400x300", "32/1", 32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QString written = home.file(QString::fromLatin1(c.file));
        const CliRun r
            = cli(QStringList{"render", strat, "--video", written.chopped(4)} + c.options);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        const test::Probe p = test::probe(written);
        EXPECT_EQ(p.codec, QLatin1String(c.codec));
        EXPECT_EQ(p.size, QLatin1String(c.size));
        EXPECT_EQ(p.rate, QLatin1String(c.rate));
        EXPECT_EQ(p.frames, c.frames);
    }
    // The program folder's own frames are left alone.
    EXPECT_FALSE(QDir(home.file("video")).exists());

    const QString unwritable = home.file("no/dir/v.avi");
    expectOneLineNaming(cli({"render", strat, "--video", unwritable}), unwritable);
    for (const char *bad :
         {"--codec x", "--quality 0", "--frame -3", "--codec h264 --quality 60", "--half",
          "--codec gif --quality 50", "--codec h264 --rate 32", "--full-motion --rate 48",
          "--full-motion --rate 32", "--frames 100001"}) {
        const QStringList option = words(bad);
        EXPECT_EQ(
            cli(QStringList{"render", strat, "--video", home.file("bad.avi")} + option).status, 2)
            << bad;
    }
    EXPECT_FALSE(QFile::exists(home.file("bad.avi")));
    // A render of no frames says so and writes nothing.
    const QString none = home.file("none.avi");
    const CliRun empty = cli({"render", strat, "--video", none, "--frames", "0"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_TRUE(empty.err.contains("no frames")) << empty.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

// Ticking ends where every movement rests (the frames after it are the rest
// picture), so a long render needs the scratch room of the movement alone;
// the scratch files go on every way out, an interrupted render's too.
TEST_F(CliRender, VideoStopsTickingAtRestAndLeavesNoScratch)
{
    test::FullDisk scratch("size=48m"); // 2000 frames of scratch would take 300 MB
    if (!scratch.mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    // What the render leaves in its temporary folder (Qt's own runtime folder
    // may settle there too, having no other home).
    auto scratchLeft = [&] {
        QStringList left = QDir(scratch.path())
                               .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeAll("runtime-root");
        return left;
    };
    const QString written = home.file("long.avi");
    const CliRun r = cli({"render", strat, "--video", written, "--frames", "2000"}, scratch.path());
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
    env.insert("TMPDIR", scratch.path());
    p.setProcessEnvironment(env);
    const QString stopped = home.file("stopped.avi");
    p.start(QStringLiteral(VANTREL_CLI_PATH),
            {"render", strat, "--video", stopped, "--frames", "100000"});
    for (int n = 0; n < 300 && scratchLeft().isEmpty(); ++n)
        p.waitForFinished(100);
    p.waitForFinished(1500);
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 128 + SIGTERM);
    EXPECT_EQ(scratchLeft(), QStringList());
    EXPECT_EQ(QDir(home.path()).entryList({"stopped*"}, QDir::Files | QDir::Hidden), QStringList());
}

#endif // VANTREL_CLI_RENDERS
