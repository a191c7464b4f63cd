#include "strat/StratExtension.h"

#include "strat/Ansi.h"
#include "strat/Crc32.h"

#include <QtEndian>

#include <cstring>
#include <functional>
#include <optional>

namespace vantrel::StratExtension {

namespace {

constexpr qsizetype kMagicSize = 8;
// Magic, version, core length, core CRC and body length; the block CRC
// follows the body.
constexpr qsizetype kHeaderSize = kMagicSize + 2 + 4 + 4 + 4;
constexpr qsizetype kCrcSize = 4;
constexpr qsizetype kMinTextEntrySize = 1 + 2 + 4;
constexpr qsizetype kMinDrawingSize = 1 + 1 + 4 + 4 + 4 + 4 + 4;
constexpr qsizetype kPointSize = 8;

constexpr char kTextsTag[] = "TEXT";
constexpr char kDrawingsTag[] = "DRAW";

// Which record a full text belongs to.
enum class TextField : uint8_t { Title = 0, Text = 1, Link = 2 };

constexpr uint8_t kFilledFlag = 0x01;

bool isFillable(DrawingKind kind)
{
    return kind == DrawingKind::Rect || kind == DrawingKind::Ellipse;
}

QString codePageForm(const QString &text)
{
    return Ansi::decode(Ansi::encode(text));
}

bool losesCharacters(const QString &text)
{
    return codePageForm(text) != text;
}

// ---------------------------------------------------------------- writing

class Writer
{
public:
    explicit Writer(QByteArray &out)
        : m_out(out)
    {
    }

    void uint8(uint8_t v) { m_out.append(char(v)); }
    void uint16(uint16_t v) { raw(qToLittleEndian(v)); }
    void int32(int32_t v) { raw(qToLittleEndian(v)); }
    void uint32(uint32_t v) { raw(qToLittleEndian(v)); }
    void bytes(const char *data, qsizetype n) { m_out.append(data, n); }

    // Reserves a UInt32 and returns where it is, to be filled by patch().
    qsizetype placeholder()
    {
        const qsizetype at = m_out.size();
        uint32(0);
        return at;
    }
    void patch(qsizetype at, uint32_t v)
    {
        const uint32_t le = qToLittleEndian(v);
        std::memcpy(m_out.data() + at, &le, sizeof le);
    }
    qsizetype size() const { return m_out.size(); }

private:
    template<typename T> void raw(T v)
    {
        m_out.append(reinterpret_cast<const char *>(&v), sizeof v);
    }

    QByteArray &m_out;
};

struct FullText
{
    TextField field;
    int16_t number;
    QString text;
};

std::vector<FullText> fullTexts(const Strat &strat)
{
    std::vector<FullText> out;
    const QString title = strat.Title.unpadded();
    if (losesCharacters(title))
        out.push_back({TextField::Title, 0, title});
    for (int i = 1; i <= strat.Texts.count(); ++i)
        if (losesCharacters(strat.Texts[i].Caption))
            out.push_back({TextField::Text, int16_t(i), strat.Texts[i].Caption});
    for (int i = 1; i <= strat.Links.count(); ++i)
        if (losesCharacters(strat.Links[i].Target))
            out.push_back({TextField::Link, int16_t(i), strat.Links[i].Target});
    return out;
}

void writeSection(Writer &w, const char *tag, const std::function<void()> &body)
{
    w.bytes(tag, 4);
    const qsizetype length = w.placeholder();
    body();
    w.patch(length, uint32_t(w.size() - length - 4));
}

// ---------------------------------------------------------------- reading

// A cursor over bytes that never reads past its end: a read that does not
// fit marks it failed and returns zero.
class Cursor
{
public:
    Cursor(const char *data, qsizetype size)
        : m_data(data)
        , m_size(size)
    {
    }

    qsizetype left() const { return m_size - m_pos; }
    bool failed() const { return m_failed; }
    void fail() { m_failed = true; }

    uint8_t uint8() { return fixed<uint8_t>(); }
    uint16_t uint16() { return fixed<uint16_t>(); }
    int32_t int32() { return fixed<int32_t>(); }
    uint32_t uint32() { return fixed<uint32_t>(); }

    // The next `n` bytes, or nothing when fewer are left.
    std::optional<QByteArrayView> take(qint64 n)
    {
        if (m_failed || n < 0 || n > left()) {
            m_failed = true;
            return std::nullopt;
        }
        const QByteArrayView view(m_data + m_pos, qsizetype(n));
        m_pos += qsizetype(n);
        return view;
    }

    // A count of records of at least `minRecord` bytes each, checked against
    // the bytes left before anything is allocated for them.
    uint32_t count(qsizetype minRecord)
    {
        const uint32_t n = uint32();
        if (!m_failed && qint64(n) * minRecord > left())
            m_failed = true;
        return m_failed ? 0 : n;
    }

private:
    template<typename T> T fixed()
    {
        if (m_failed || qsizetype(sizeof(T)) > left()) {
            m_failed = true;
            return 0;
        }
        T v;
        std::memcpy(&v, m_data + m_pos, sizeof v);
        m_pos += qsizetype(sizeof v);
        return qFromLittleEndian(v);
    }

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

// What a block carries, read whole before any of it is applied.
struct Contents
{
    std::vector<FullText> texts;
    std::vector<Drawing> drawings;
};

bool hasValidPoints(DrawingKind kind, size_t points)
{
    return kind == DrawingKind::Pen ? points >= 1 : points == 2;
}

void readTexts(Cursor &c, Contents &out)
{
    const uint32_t n = c.count(kMinTextEntrySize);
    out.texts.reserve(n);
    for (uint32_t i = 0; i < n && !c.failed(); ++i) {
        const uint8_t field = c.uint8();
        const auto number = int16_t(c.uint16());
        const std::optional<QByteArrayView> utf8 = c.take(c.uint32());
        if (!utf8)
            return;
        if (field > uint8_t(TextField::Link))
            continue; // a field of a later writer: nothing of ours
        out.texts.push_back({TextField(field), number, QString::fromUtf8(*utf8)});
    }
}

void readDrawings(Cursor &c, Contents &out)
{
    const uint32_t n = c.count(kMinDrawingSize);
    out.drawings.reserve(n);
    for (uint32_t i = 0; i < n && !c.failed(); ++i) {
        Drawing d;
        const uint8_t kind = c.uint8();
        const uint8_t flags = c.uint8();
        d.color = c.uint32() & 0xFFFFFFu;
        d.width = c.int32();
        d.fromFrame = c.int32();
        d.toFrame = c.int32();
        const uint32_t points = c.count(kPointSize);
        if (c.failed())
            return;
        d.points.resize(points);
        for (QPoint &p : d.points) {
            p.setX(c.int32());
            p.setY(c.int32());
        }
        // A kind of a later writer, or a shape without its points, is skipped.
        if (kind >= kDrawingKindCount || !hasValidPoints(DrawingKind(kind), points))
            continue;
        d.kind = DrawingKind(kind);
        d.filled = (flags & kFilledFlag) && isFillable(d.kind);
        out.drawings.push_back(std::move(d));
    }
}

// Reads the sections of a body; false when one does not fit the body.
bool readBody(QByteArrayView body, Contents &out)
{
    Cursor c(body.data(), body.size());
    while (c.left() > 0) {
        const std::optional<QByteArrayView> tag = c.take(4);
        const std::optional<QByteArrayView> payload = c.take(c.uint32());
        if (!tag || !payload)
            return false;
        Cursor section(payload->data(), payload->size());
        if (*tag == QByteArrayView(kTextsTag, 4))
            readTexts(section, out);
        else if (*tag == QByteArrayView(kDrawingsTag, 4))
            readDrawings(section, out);
        else
            continue; // a section of a later writer
        if (section.failed() || section.left() != 0)
            return false;
    }
    return true;
}

// Puts each full text in place where its code-page form is what the core
// holds; elsewhere another program changed the text and its version wins.
void applyTexts(const std::vector<FullText> &texts, Strat &strat)
{
    for (const FullText &t : texts) {
        switch (t.field) {
        case TextField::Title:
            if (StratTitle(codePageForm(t.text)).trimmed() == strat.Title.trimmed())
                strat.Title = t.text;
            break;
        case TextField::Text:
            if (strat.Texts.contains(t.number)
                && codePageForm(t.text) == strat.Texts[t.number].Caption)
                strat.Texts[t.number].Caption = t.text;
            break;
        case TextField::Link:
            if (strat.Links.contains(t.number)
                && codePageForm(t.text) == strat.Links[t.number].Target)
                strat.Links[t.number].Target = t.text;
            break;
        }
    }
}

} // namespace

void append(const Strat &strat, QByteArray &bytes)
{
    const std::vector<FullText> texts = fullTexts(strat);
    if (strat.drawings.empty() && texts.empty())
        return;
    const qsizetype coreEnd = bytes.size();
    const uint32_t coreCrc = crc32(bytes);
    Writer w(bytes);
    w.bytes(kMagic, kMagicSize);
    w.uint16(kVersion);
    w.uint32(uint32_t(coreEnd));
    w.uint32(coreCrc);
    const qsizetype bodyLength = w.placeholder();
    if (!texts.empty()) {
        writeSection(w, kTextsTag, [&] {
            w.uint32(uint32_t(texts.size()));
            for (const FullText &t : texts) {
                const QByteArray utf8 = t.text.toUtf8();
                w.uint8(uint8_t(t.field));
                w.uint16(uint16_t(t.number));
                w.uint32(uint32_t(utf8.size()));
                w.bytes(utf8.constData(), utf8.size());
            }
        });
    }
    if (!strat.drawings.empty()) {
        writeSection(w, kDrawingsTag, [&] {
            w.uint32(uint32_t(strat.drawings.size()));
            for (const Drawing &d : strat.drawings) {
                w.uint8(uint8_t(d.kind));
                w.uint8(d.filled && isFillable(d.kind) ? kFilledFlag : 0);
                w.uint32(d.color & 0xFFFFFFu);
                w.int32(d.width);
                w.int32(d.fromFrame);
                w.int32(d.toFrame);
                w.uint32(uint32_t(d.points.size()));
                for (const QPoint &p : d.points) {
                    w.int32(p.x());
                    w.int32(p.y());
                }
            }
        });
    }
    const qsizetype blockStart = coreEnd;
    w.patch(bodyLength, uint32_t(w.size() - bodyLength - 4));
    w.uint32(crc32(QByteArrayView(bytes).sliced(blockStart)));
}

QString read(const QByteArray &bytes, qsizetype coreEnd, Strat &strat)
{
    const QByteArrayView all(bytes);
    if (coreEnd < 0 || all.size() - coreEnd < kHeaderSize + kCrcSize
        || all.sliced(coreEnd, kMagicSize) != QByteArrayView(kMagic, kMagicSize))
        return {}; // no block: whatever follows is an old tail
    Cursor header(all.data() + coreEnd + kMagicSize, kHeaderSize - kMagicSize);
    const uint16_t version = header.uint16();
    const uint32_t coreLength = header.uint32();
    const uint32_t coreCrc = header.uint32();
    const uint32_t bodyLength = header.uint32();
    if (qint64(coreLength) != coreEnd || coreCrc != crc32(all.first(coreEnd)))
        return {}; // a block of another core: a stale tail
    if (version > kVersion)
        return QString::fromLatin1(kNewerNotice);

    const qint64 blockEnd = qint64(coreEnd) + kHeaderSize + bodyLength + kCrcSize;
    if (version == 0 || blockEnd > all.size())
        return QString::fromLatin1(kDamagedNotice);
    const QByteArrayView block = all.sliced(coreEnd, qsizetype(blockEnd) - coreEnd);
    const uint32_t stored = qFromLittleEndian<uint32_t>(block.data() + block.size() - kCrcSize);
    Contents contents;
    if (stored != crc32(block.chopped(kCrcSize))
        || !readBody(block.sliced(kHeaderSize, bodyLength), contents))
        return QString::fromLatin1(kDamagedNotice);

    applyTexts(contents.texts, strat);
    strat.drawings = std::move(contents.drawings);
    return {};
}

} // namespace vantrel::StratExtension
