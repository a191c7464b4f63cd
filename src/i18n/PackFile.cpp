#include "i18n/PackFile.h"

#include "i18n/PackCipher.h"
#include "strat/Ansi.h"

#include "fileio/RegularFile.h"
#include "fileio/SafeFile.h"

#include <QtEndian>

namespace vantrel::PackFile {

namespace {

// The smallest stored sizes, used to bound counts before allocating.
constexpr qsizetype kMinControlBytes = 6 * 2 + 4;
constexpr qsizetype kMinWindowBytes = 4 * 2 + 2 + 2 + 4 + 4;
constexpr qsizetype kMinStringBytes = 2 * 2;

class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }

    qsizetype remaining() const { return m_bytes.size() - m_pos; }
    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    void fail(const QString &what)
    {
        if (m_error.isEmpty())
            m_error = what;
    }

    QByteArray raw(qsizetype n)
    {
        if (failed() || n > remaining()) {
            fail(QStringLiteral("it ends early"));
            return {};
        }
        const QByteArray out = m_bytes.mid(m_pos, n);
        m_pos += n;
        return out;
    }

    qint16 i16()
    {
        const QByteArray b = raw(2);
        return b.size() == 2 ? qFromLittleEndian<qint16>(b.constData()) : 0;
    }

    qint32 i32()
    {
        const QByteArray b = raw(4);
        return b.size() == 4 ? qFromLittleEndian<qint32>(b.constData()) : 0;
    }

    QString text(bool enciphered)
    {
        const quint16 length = quint16(i16());
        const QByteArray stored = raw(length);
        if (failed())
            return {};
        if (!enciphered)
            return Ansi::decode(stored);
        const auto plain = PackCipher::decipher(stored);
        if (!plain) {
            fail(QStringLiteral("it holds a character code below the cipher shift"));
            return {};
        }
        return Ansi::decode(*plain);
    }

    // A count of records that each take at least `minBytes`.
    bool fits(qint64 count, qsizetype minBytes)
    {
        if (count < 0 || count > remaining() / minBytes) {
            fail(QStringLiteral("a count runs past the end of the file"));
            return false;
        }
        return true;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
    QString m_error;
};

PackControl readControl(Reader &in, bool used)
{
    PackControl c;
    c.first = in.text(false);
    c.key = in.text(used);
    c.caption = in.text(used);
    c.toolTip = in.text(used);
    c.captionOverride = in.text(used);
    c.toolTipOverride = in.text(used);
    c.value = in.i32();
    return c;
}

PackWindow readWindow(Reader &in, bool used)
{
    PackWindow w;
    w.first = in.text(used);
    w.name = in.text(used);
    w.caption = in.text(used);
    w.captionOverride = in.text(false);
    const qint16 controlCount = in.i16();
    const qint16 dimensions = in.i16();
    const qint32 stored = in.i32();
    const qint32 lowerBound = in.i32();
    if (in.failed())
        return w;
    if (dimensions != 1) {
        in.fail(QStringLiteral("a control list is not a one-dimensional array"));
        return w;
    }
    if (!in.fits(stored, kMinControlBytes))
        return w;
    // The controls used are 1..C, counted from the stored lower bound.
    const qint64 last = qint64(lowerBound) + stored - 1;
    if (controlCount < 0 || (controlCount > 0 && (lowerBound > 1 || last < controlCount))) {
        in.fail(QStringLiteral("a control count runs past its list"));
        return w;
    }
    w.controls.reserve(controlCount);
    for (qint64 index = lowerBound; index <= last && !in.failed(); ++index) {
        const bool isUsed = used && index >= 1 && index <= controlCount;
        PackControl c = readControl(in, isUsed);
        if (index == 0)
            w.control0 = c;
        else if (index >= 1 && index <= controlCount)
            w.controls.append(c);
    }
    return w;
}

PackString readString(Reader &in, bool used)
{
    PackString s;
    s.name = in.text(used);
    s.value = in.text(used);
    return s;
}

class Writer
{
public:
    QByteArray bytes;
    QString error;

    void i16(qint64 v, const char *what)
    {
        if (v < 0 || v > 32767)
            fail(QStringLiteral("too many %1").arg(QLatin1String(what)));
        char b[2];
        qToLittleEndian<qint16>(qint16(v), b);
        bytes.append(b, 2);
    }

    void i32(qint32 v)
    {
        char b[4];
        qToLittleEndian<qint32>(v, b);
        bytes.append(b, 4);
    }

    void text(const QString &t, bool enciphered)
    {
        QByteArray plain = Ansi::encode(t);
        if (Ansi::decode(plain) != t)
            fail(QStringLiteral("\"%1\" has characters outside Windows-1252").arg(t));
        if (enciphered) {
            const auto stored = PackCipher::encipher(plain);
            if (!stored)
                fail(QStringLiteral("\"%1\" has a character the cipher cannot shift").arg(t));
            plain = stored.value_or(QByteArray());
        }
        if (plain.size() > 65535)
            fail(QStringLiteral("a text is longer than 65535 bytes"));
        char b[2];
        qToLittleEndian<quint16>(quint16(plain.size()), b);
        bytes.append(b, 2);
        bytes.append(plain);
    }

    void fixed(const QByteArray &b, qsizetype n)
    {
        if (b.size() != n)
            fail(QStringLiteral("a header text is not %1 bytes").arg(n));
        bytes.append(b.left(n).leftJustified(n, '\0'));
    }

    void fail(const QString &what)
    {
        if (error.isEmpty())
            error = what;
    }
};

void writeControl(Writer &out, const PackControl &c, bool used)
{
    out.text(c.first, false);
    out.text(c.key, used);
    out.text(c.caption, used);
    out.text(c.toolTip, used);
    out.text(c.captionOverride, used);
    out.text(c.toolTipOverride, used);
    out.i32(c.value);
}

void writeWindow(Writer &out, const PackWindow &w, bool used)
{
    out.text(w.first, used);
    out.text(w.name, used);
    out.text(w.caption, used);
    out.text(w.captionOverride, false);
    out.i16(w.controls.size(), "controls");
    out.i16(1, "dimensions");
    out.i32(qint32(w.controls.size() + 1));
    out.i32(0);
    writeControl(out, w.control0, false);
    for (const PackControl &c : w.controls)
        writeControl(out, c, used);
}

} // namespace

QByteArray defaultHeaderA()
{
    return QByteArrayLiteral("VLPK");
}

QByteArray defaultHeaderB()
{
    return QByteArrayLiteral("Vantrel language pack").leftJustified(32, ' ');
}

FileResult decode(const QByteArray &bytes, const QString &fileName, PackData &pack)
{
    pack = PackData();
    Reader in(bytes);
    PackData p;
    p.headerA = in.raw(4);
    p.headerB = in.raw(32);
    const qint16 windowCount = in.i16();
    if (windowCount < 0)
        in.fail(QStringLiteral("the window count is negative"));
    if (in.fits(qint64(windowCount) + 1, kMinWindowBytes)) {
        p.windows.reserve(windowCount);
        p.window0 = readWindow(in, false);
        for (int i = 1; i <= windowCount && !in.failed(); ++i)
            p.windows.append(readWindow(in, true));
    }
    const qint16 stringCount = in.i16();
    if (stringCount < 0)
        in.fail(QStringLiteral("the string count is negative"));
    if (in.fits(qint64(stringCount) + 1, kMinStringBytes)) {
        p.strings.reserve(stringCount);
        p.string0 = readString(in, false);
        for (int i = 1; i <= stringCount && !in.failed(); ++i)
            p.strings.append(readString(in, true));
    }
    if (in.failed())
        return FileResult::failure(
            QStringLiteral("The language pack %1 is damaged: %2.").arg(fileName, in.error()));
    pack = std::move(p);
    return FileResult::success();
}

FileResult read(const QString &path, PackData &pack)
{
    pack = PackData();
    // Far more than every text of the program in any language.
    constexpr qint64 kMaxPackSize = 16 * 1024 * 1024;
    QByteArray bytes;
    const FileResult file = readRegularFile(path, kMaxPackSize, bytes);
    if (!file)
        return FileResult::failure(
            QStringLiteral("The language pack cannot be read: %1.").arg(file.message));
    return decode(bytes, path, pack);
}

FileResult encode(const PackData &pack, QByteArray &bytes)
{
    Writer out;
    out.fixed(pack.headerA, 4);
    out.fixed(pack.headerB, 32);
    out.i16(pack.windows.size(), "windows");
    writeWindow(out, pack.window0, false);
    for (const PackWindow &w : pack.windows)
        writeWindow(out, w, true);
    out.i16(pack.strings.size(), "strings");
    out.text(pack.string0.name, false);
    out.text(pack.string0.value, false);
    for (const PackString &s : pack.strings) {
        out.text(s.name, true);
        out.text(s.value, true);
    }
    if (!out.error.isEmpty()) {
        bytes.clear();
        return FileResult::failure(
            QStringLiteral("The language pack cannot be written: %1.").arg(out.error));
    }
    bytes = out.bytes;
    return FileResult::success();
}

FileResult write(const QString &path, const PackData &pack)
{
    QByteArray bytes;
    FileResult r = encode(pack, bytes);
    if (!r)
        return r;
    return SafeFile::replace(path, bytes);
}

} // namespace vantrel::PackFile
