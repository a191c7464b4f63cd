// Fuzzes the readers the way the program meets a file: the bytes are written
// through the safe writer and read back through the real file path (open,
// look at the handle, size check, read) by every reader that takes a path.
// Each must agree with the same reader given the bytes in memory, and a JSON
// strat that `create` accepts must come back from `info --json` bit for bit.

#include "cli/StratJson.h"
#include "fileio/JsonInput.h"
#include "fileio/RegularFile.h"
#include "fileio/SafeFile.h"
#include "i18n/PackFile.h"
#include "i18n/PackJson.h"
#include "i18n/TipsFile.h"
#include "strat/StratFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace vantrel;

QString scratchFile()
{
    // Memory-backed where there is one: every input is written and synced.
    const QDir shm(QStringLiteral("/dev/shm"));
    static const QString path
        = (shm.exists() ? shm : QDir::temp())
              .filePath(
                  QStringLiteral("vantrel-fuzz-files-%1").arg(QCoreApplication::applicationPid()));
    static const bool removedAtExit = std::atexit([] { QFile::remove(path); }) == 0;
    Q_UNUSED(removedAtExit);
    return path;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

QByteArray stratBytes(const Strat &strat)
{
    QByteArray bytes;
    return StratFile::encode(strat, bytes).ok ? bytes : QByteArray("<unwritable>");
}

QByteArray packBytes(const PackData &pack)
{
    QByteArray bytes;
    return PackFile::encode(pack, bytes).ok ? bytes : QByteArray("<unwritable>");
}

void strats(const QString &path, const QByteArray &bytes)
{
    Strat fromFile;
    Strat fromMemory;
    const FileResult a = StratFile::read(path, fromFile);
    const FileResult b = StratFile::decode(bytes, path, fromMemory);
    require(a.ok == b.ok && a.message == b.message);
    if (a.ok)
        require(stratBytes(fromFile) == stratBytes(fromMemory));
}

void packs(const QString &path, const QByteArray &bytes)
{
    PackData fromFile;
    PackData fromMemory;
    const FileResult a = PackFile::read(path, fromFile);
    const FileResult b = PackFile::decode(bytes, path, fromMemory);
    require(a.ok == b.ok && a.message == b.message);
    if (a.ok)
        require(packBytes(fromFile) == packBytes(fromMemory));
}

void json(const QString &path, const QByteArray &bytes)
{
    QJsonObject object;
    const FileResult read = readJsonObject(path, object);
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    require(read.ok == doc.isObject());
    if (!read.ok)
        return;
    require(object == doc.object());
    QString error;
    Strat strat;
    if (StratJson::fromJson(object, strat, &error)) {
        // What info --json writes, create reads back to the same bytes.
        QByteArray once;
        if (!StratFile::encode(strat, once).ok)
            return; // a text too long for the file: create refuses it
        Strat decoded;
        require(StratFile::decode(once, path, decoded).ok);
        Strat again;
        require(StratJson::fromJson(StratJson::toJson(decoded), again, &error));
        require(stratBytes(again) == once);
    }
    PackData pack;
    if (PackJson::fromJson(object, pack, &error)) {
        PackData again;
        require(PackJson::fromJson(PackJson::toJson(pack), again, &error));
        require(packBytes(again) == packBytes(pack));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = scratchFile();
    require(SafeFile::replace(path, bytes).ok);
    QByteArray back;
    require(readRegularFile(path, qint64(size), back).ok && back == bytes);
    strats(path, bytes);
    packs(path, bytes);
    QStringList tips;
    require(TipsFile::read(path, tips).ok && tips == TipsFile::parse(bytes));
    json(path, bytes);
    return 0;
}
