#include "strat/StratFile.h"

#include "fileio/RegularFile.h"
#include "fileio/SafeFile.h"
#include "strat/Ansi.h"
#include "strat/StratExtension.h"

#include <QtEndian>

#include <cstring>

namespace vantrel::StratFile {

namespace {

constexpr int kOverviewWidth = 16;
constexpr int kTitleWidth = 32;
constexpr int16_t kPlaceholderObject = 9999;
// Five full lists of 32,767 records with the longest texts stay well below.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// Smallest stored size of one record of each list, used to refuse counts the
// remaining bytes cannot hold before anything is allocated.
constexpr qsizetype kObjectSize = 10;
constexpr qsizetype kMinTextSize = 10;
constexpr qsizetype kColorSize = 4;
constexpr qsizetype kMinMovementSize = 6;
constexpr qsizetype kPointSize = 16;
constexpr qsizetype kMinLinkSize = 8;
// Point lists numbered from above 0 leave empty way points before their
// records. All of them together may take as much memory as the file's own
// bytes, and one whole list of empty points more.
constexpr qint64 kMinGapBudget = qint64(INT16_MAX) + 1;

// ---------------------------------------------------------------- writing

class Writer
{
public:
    explicit Writer(QByteArray &out)
        : m_out(out)
    {
    }

    void int16(int16_t v) { raw(qToLittleEndian(v)); }
    void int32(int32_t v) { raw(qToLittleEndian(v)); }
    void uint32(uint32_t v) { raw(qToLittleEndian(v)); }
    void float32(float v)
    {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        uint32(bits);
    }
    // Exactly `width` bytes whatever the text: cut or blank-padded after
    // encoding, so the fields after it never shift.
    void fixedText(const QString &value, qsizetype width)
    {
        QByteArray bytes = Ansi::encode(value).left(width);
        bytes.append(QByteArray(width - bytes.size(), ' '));
        m_out.append(bytes);
    }

    // A variable text: Int16 length, then the characters.
    bool text(const QString &value)
    {
        const qsizetype at = m_out.size();
        int16(0);
        const qsizetype n = Ansi::appendEncoded(value, m_out);
        if (n > INT16_MAX)
            return false;
        const auto len = qToLittleEndian(int16_t(n));
        std::memcpy(m_out.data() + at, &len, sizeof len);
        return true;
    }

    void object(const StratObject &o)
    {
        int16(o.PictureIndex);
        float32(o.Left);
        float32(o.Top);
    }
    void point(const MovementPoint &p)
    {
        int32(p.StartFrame);
        int32(p.X);
        int32(p.Y);
        float32(p.Velocity);
    }
    void movement(const StratMovement &m)
    {
        int16(m.ObjectIndex);
        int16(m.PointCount);
        if (m.Points.empty()) {
            int16(0); // no storage at all
            return;
        }
        int16(1);
        int32(int32_t(m.Points.size()));
        int32(0);
        for (const MovementPoint &p : m.Points)
            point(p);
    }

private:
    template<typename T> void raw(T v)
    {
        m_out.append(reinterpret_cast<const char *>(&v), sizeof v);
    }

    QByteArray &m_out;
};

// Every list is its count followed by records 0..count; a list without
// storage still writes its empty record 0.
template<typename T, typename WriteRecord>
void writeList(Writer &w, const NumberedList<T> &list, WriteRecord writeRecord)
{
    w.int16(list.count());
    if (!list.hasStorage()) {
        writeRecord(T());
        return;
    }
    for (const T &item : list.storage())
        writeRecord(item);
}

// ---------------------------------------------------------------- reading

class Reader
{
public:
    Reader(const QByteArray &bytes, const QString &fileName)
        : m_data(bytes.constData())
        , m_size(bytes.size())
        , m_fileName(fileName)
        , m_gapBudget(qMax<qint64>(kMinGapBudget, bytes.size() / kPointSize))
    {
    }

    qsizetype pos() const { return m_pos; }
    qsizetype left() const { return m_size - m_pos; }
    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }

    void fail(const QString &what, qsizetype at)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1: %2 at byte %3").arg(m_fileName, what).arg(at);
    }

    bool need(qsizetype n, const char *what)
    {
        if (failed())
            return false;
        if (n > left()) {
            fail(QStringLiteral("the file ends early (%1)").arg(QLatin1String(what)), m_pos);
            return false;
        }
        return true;
    }

    int16_t int16(const char *what) { return fixed<int16_t>(what); }
    int32_t int32(const char *what) { return fixed<int32_t>(what); }
    uint32_t uint32(const char *what) { return fixed<uint32_t>(what); }
    float float32(const char *what)
    {
        const uint32_t bits = uint32(what);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }

    QString fixedText(qsizetype width, const char *what)
    {
        if (!need(width, what))
            return {};
        const QString s = Ansi::decode(m_data + m_pos, width);
        m_pos += width;
        return s;
    }

    QString text(const char *what)
    {
        const qsizetype at = m_pos;
        const int16_t n = int16(what);
        if (failed())
            return {};
        if (n < 0) {
            fail(QStringLiteral("negative text length %1 (%2)").arg(n).arg(QLatin1String(what)),
                 at);
            return {};
        }
        return fixedText(n, what);
    }

    // Reads a list count and checks that the rest of the file can hold
    // count + 1 records of at least `minRecord` bytes each.
    int16_t count(qsizetype minRecord, const char *what)
    {
        const qsizetype at = m_pos;
        const int16_t c = int16(what);
        if (failed())
            return 0;
        if (c < 0) {
            fail(QStringLiteral("negative %1 count %2").arg(QLatin1String(what)).arg(c), at);
            return 0;
        }
        if ((qsizetype(c) + 1) * minRecord > left()) {
            fail(QStringLiteral("%1 count %2 is more than the file holds")
                     .arg(QLatin1String(what))
                     .arg(c),
                 at);
            return 0;
        }
        return c;
    }

    StratObject object()
    {
        StratObject o;
        o.PictureIndex = int16("object");
        o.Left = float32("object");
        o.Top = float32("object");
        return o;
    }

    StratText textRecord()
    {
        StratText t;
        t.Left = float32("text");
        t.Top = float32("text");
        t.Caption = text("text");
        return t;
    }

    StratMovement movement()
    {
        StratMovement m;
        m.ObjectIndex = int16("movement");
        m.PointCount = int16("movement");
        const qsizetype at = m_pos;
        const int16_t dims = int16("movement");
        if (failed() || dims == 0)
            return m;
        if (dims != 1) {
            fail(QStringLiteral("unsupported point list with %1 dimensions").arg(dims), at);
            return m;
        }
        const qsizetype countAt = m_pos;
        const int32_t e = int32("point list");
        const int32_t lowest = int32("point list");
        if (failed())
            return m;
        if (e < 0 || qsizetype(e) * kPointSize > left()) {
            fail(QStringLiteral("point count %1 is more than the file holds").arg(e), countAt);
            return m;
        }
        // Records are numbered from `lowest` (0 in files this program
        // writes). Numbers below 0 or above the 16-bit range can never be
        // a way point, so they are read and dropped.
        // Numbers past the point count are never a way point either, and are
        // dropped the same way.
        const qint64 end = qBound<qint64>(1, qMin(qint64(lowest) + e, qint64(m.PointCount) + 1),
                                          qint64(INT16_MAX) + 1);
        // The numbers below `lowest` hold empty points that take memory but
        // no bytes of the file: their total is bounded by the file's size.
        const qint64 gap = qBound(qint64(0), qint64(lowest), end);
        if (gap > m_gapBudget) {
            fail(QStringLiteral("point list numbered from %1 leaves more empty points than the "
                                "file can hold")
                     .arg(lowest),
                 countAt + 4);
            return m;
        }
        m_gapBudget -= gap;
        m.Points.resize(size_t(end));
        for (qint64 number = lowest; number < qint64(lowest) + e; ++number) {
            MovementPoint p;
            p.StartFrame = int32("point");
            p.X = int32("point");
            p.Y = int32("point");
            p.Velocity = float32("point");
            if (number >= 0 && number < end)
                m.Points[size_t(number)] = p;
        }
        return m;
    }

    StratLink link()
    {
        StratLink l;
        l.Target = text("link");
        l.ObjectIndex = int16("link");
        l.MovementIndex = int16("link");
        l.PointIndex = int16("link");
        return l;
    }

private:
    template<typename T> T fixed(const char *what)
    {
        if (!need(sizeof(T), what))
            return 0;
        T v;
        std::memcpy(&v, m_data + m_pos, sizeof v);
        m_pos += qsizetype(sizeof v);
        return qFromLittleEndian(v);
    }

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    QString m_fileName;
    QString m_error;
    qint64 m_gapBudget; // empty points the point lists may still leave before their records
};

template<typename T, typename ReadRecord>
void readList(Reader &r, NumberedList<T> &list, qsizetype minRecord, const char *what,
              ReadRecord readRecord)
{
    const int16_t c = r.count(minRecord, what);
    if (r.failed())
        return;
    list.resize(c);
    for (T &item : list.storage()) {
        item = readRecord();
        if (r.failed())
            return;
    }
}

bool isTextPlaceholder(const NumberedList<StratText> &texts)
{
    return texts.count() == 1 && texts[1].isTombstone();
}

bool isMovementPlaceholder(const NumberedList<StratMovement> &movements)
{
    return movements.count() == 1 && movements[1].PointCount == 1
           && movements[1].ObjectIndex == kPlaceholderObject;
}

// An upper bound of the encoded size, so the writer never reallocates.
qsizetype encodedSizeBound(const Strat &strat)
{
    qsizetype n = 48 + 2 + 5 * 2 + 200;
    n += (strat.Objects.count() + 1) * kObjectSize;
    for (const StratText &t : strat.Texts.storage())
        n += kMinTextSize + t.Caption.size();
    n += (strat.LineColors.count() + 1) * kColorSize;
    for (const StratMovement &m : strat.Movements.storage())
        n += kMinMovementSize + 8 + qsizetype(m.Points.size()) * kPointSize;
    for (const StratLink &l : strat.Links.storage())
        n += kMinLinkSize + l.Target.size();
    return n;
}

} // namespace

FileResult encode(const Strat &strat, QByteArray &bytes)
{
    bytes.clear();
    bytes.reserve(encodedSizeBound(strat));
    Writer w(bytes);
    w.fixedText(strat.Overview.padded(), kOverviewWidth);
    w.fixedText(strat.Title.padded(), kTitleWidth);

    writeList(w, strat.Objects, [&](const StratObject &o) { w.object(o); });

    bool textsFit = true;
    auto writeText = [&](const StratText &t) {
        w.float32(t.Left);
        w.float32(t.Top);
        textsFit = w.text(t.Caption) && textsFit;
    };
    if (strat.Texts.count() == 0) {
        // Placeholder: the strat keeps its empty list, the file gets a tombstone.
        w.int16(1);
        writeText(StratText());
        writeText(StratText::tombstone());
    } else {
        writeList(w, strat.Texts, writeText);
    }

    if (strat.Movements.count() == 0) {
        w.int16(1);
        w.uint32(0);
        w.uint32(0);
        w.int16(1);
        w.movement(StratMovement());
        StratMovement placeholder;
        placeholder.ObjectIndex = kPlaceholderObject;
        placeholder.PointCount = 1;
        placeholder.Points.resize(2);
        w.movement(placeholder);
    } else {
        writeList(w, strat.LineColors, [&](uint32_t c) { w.uint32(c); });
        writeList(w, strat.Movements, [&](const StratMovement &m) { w.movement(m); });
    }

    writeList(w, strat.Links, [&](const StratLink &l) {
        textsFit = w.text(l.Target) && textsFit;
        w.int16(l.ObjectIndex);
        w.int16(l.MovementIndex);
        w.int16(l.PointIndex);
    });

    if (!textsFit)
        return FileResult::failure(QStringLiteral("a text is longer than 32767 characters"));
    StratExtension::append(strat, bytes);
    if (bytes.size() > kMaxFileSize)
        return FileResult::failure(QStringLiteral("the strat is larger than 64 MiB"));
    return FileResult::success();
}

FileResult decode(const QByteArray &bytes, const QString &fileName, Strat &strat)
{
    Reader r(bytes, fileName);
    Strat s;
    s.Overview = r.fixedText(kOverviewWidth, "overview name").trimmed();
    s.Title = r.fixedText(kTitleWidth, "title").trimmed();
    readList(r, s.Objects, kObjectSize, "object", [&] { return r.object(); });
    readList(r, s.Texts, kMinTextSize, "text", [&] { return r.textRecord(); });
    readList(r, s.LineColors, kColorSize, "colour", [&] { return r.uint32("colour"); });
    readList(r, s.Movements, kMinMovementSize, "movement", [&] { return r.movement(); });
    readList(r, s.Links, kMinLinkSize, "link", [&] { return r.link(); });
    if (r.failed()) {
        strat = Strat();
        return FileResult::failure(r.error());
    }
    if (isTextPlaceholder(s.Texts))
        s.Texts.clear();
    if (isMovementPlaceholder(s.Movements)) {
        s.Movements.clear();
        s.LineColors.clear();
    }
    // After the link block comes our extension block, or an older content's
    // tail, which is ignored.
    const QString notice = StratExtension::read(bytes, r.pos(), s);
    strat = std::move(s);
    return notice.isEmpty() ? FileResult::success() : FileResult::warning(notice);
}

FileResult read(const QString &path, Strat &strat)
{
    QByteArray bytes;
    const FileResult file = readRegularFile(path, kMaxFileSize, bytes);
    if (!file)
        return file;
    return decode(bytes, path, strat);
}

FileResult write(const QString &path, const Strat &strat)
{
    QByteArray bytes;
    FileResult encoded = encode(strat, bytes);
    if (!encoded)
        return FileResult::failure(fileError(path, encoded.message));
    return SafeFile::replace(path, bytes);
}

} // namespace vantrel::StratFile
