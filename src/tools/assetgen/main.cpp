// vantrel-assetgen: draws the shipped overview images from assets/overviews/*.map
// and writes the palette icons as PNG files for review.
//
//   vantrel-assetgen --maps <dir> --overviews <dir> [--icons <dir>] [--sheet <file.png>]

#include "MapRenderer.h"
#include "MapSource.h"
#include "strat/PaletteIcons.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

#include <cmath>

using namespace vantrel;
using namespace vantrel::assetgen;

namespace {

// Strat files store the overview's file name in 16 characters.
constexpr int kMaxOverviewName = 16;

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

QString argument(const QStringList &args, const QString &name)
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

QString loadFont()
{
    const QString file = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families
        = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (families.isEmpty()) {
        err() << "warning: " << file << " not found, using the default font\n";
        err().flush();
        return QStringLiteral("DejaVu Sans");
    }
    return families.first();
}

bool writeIcons(const QString &dir)
{
    static const char *const names[PaletteIcons::Count]
        = {"blue1", "blue2", "blue3", "blue4", "blue5", "red1", "red2",
           "red3",  "red4",  "red5",  "he",    "fb",    "sg"};
    QDir().mkpath(dir);
    for (int i = 0; i < PaletteIcons::Count; ++i) {
        const QString path
            = QDir(dir).filePath(QString::fromLatin1(names[i]) + QStringLiteral(".png"));
        if (!PaletteIcons::image(i).save(path, "PNG")) {
            err() << "error: cannot write " << path << "\n";
            return false;
        }
    }
    return true;
}

// All overviews at half size, three to a row, each captioned with its file name.
QImage contactSheet(const QList<QPair<QString, QImage>> &overviews, const QString &family)
{
    const int columns = 3, gap = 14, caption = 22;
    const int tileW = OverviewWidth / 2, tileH = OverviewHeight / 2;
    const int rows = (static_cast<int>(overviews.size()) + columns - 1) / columns;
    QImage sheet(columns * tileW + (columns + 1) * gap, rows * (tileH + caption) + (rows + 1) * gap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(28, 30, 34));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(family);
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    for (int i = 0; i < overviews.size(); ++i) {
        const int x = gap + (i % columns) * (tileW + gap);
        const int y = gap + (i / columns) * (tileH + caption + gap);
        p.drawImage(QRect(x, y, tileW, tileH), overviews[i].second);
        p.setPen(QColor(220, 220, 210));
        p.drawText(QRect(x, y + tileH, tileW, caption), Qt::AlignCenter, overviews[i].first);
    }
    return sheet;
}

} // namespace

int main(int argc, char **argv)
{
    // Text needs a GUI application, but never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mapsDir = argument(args, QStringLiteral("--maps"));
    const QString outDir = argument(args, QStringLiteral("--overviews"));
    const QString iconsDir = argument(args, QStringLiteral("--icons"));
    const QString sheetFile = argument(args, QStringLiteral("--sheet"));
    if (mapsDir.isEmpty() || outDir.isEmpty()) {
        err() << "usage: vantrel-assetgen --maps <dir> --overviews <dir> [--icons <dir>] [--sheet "
                 "<file.png>]\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const QString family = loadFont();
    const QFileInfoList sources
        = QDir(mapsDir).entryInfoList({QStringLiteral("*.map")}, QDir::Files, QDir::Name);
    if (sources.isEmpty()) {
        err() << "error: no .map files in " << mapsDir << "\n";
        return 1;
    }
    QDir().mkpath(outDir);
    QList<QPair<QString, QImage>> drawn;
    for (const QFileInfo &info : sources) {
        const QString pngName = info.completeBaseName() + QStringLiteral(".png");
        if (pngName.size() > kMaxOverviewName) {
            err() << info.filePath() << ": the file name " << pngName << " is longer than "
                  << kMaxOverviewName << " characters\n";
            return 1;
        }
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            err() << info.filePath() << ": cannot read\n";
            return 1;
        }
        MapSource map;
        QString error;
        if (!parseMapSource(QString::fromUtf8(file.readAll()), map, error)) {
            err() << info.filePath() << ": " << error << "\n";
            return 1;
        }
        const QStringList problems = checkOverview(map);
        for (const QString &problem : problems)
            err() << info.filePath() << ": " << problem << "\n";
        if (!problems.isEmpty())
            return 1;
        const QImage image = renderOverview(map, family);
        const QString outPath = QDir(outDir).filePath(pngName);
        if (!image.save(outPath, "PNG")) {
            err() << "error: cannot write " << outPath << "\n";
            return 1;
        }
        drawn.append({pngName, image});
    }
    if (!iconsDir.isEmpty() && !writeIcons(iconsDir))
        return 1;
    if (!sheetFile.isEmpty() && !contactSheet(drawn, family).save(sheetFile, "PNG")) {
        err() << "error: cannot write " << sheetFile << "\n";
        return 1;
    }
    QTextStream(stdout) << "drew " << drawn.size() << " overviews in " << timer.elapsed()
                        << " ms\n";
    return 0;
}
