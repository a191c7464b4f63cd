#include "i18n/PackJson.h"

#include "strat/Ansi.h"

#include <QJsonArray>

namespace vantrel::PackJson {

namespace {

void put(QJsonObject &o, const char *key, const QString &value)
{
    if (!value.isEmpty())
        o.insert(QLatin1String(key), value);
}

QJsonObject controlJson(const PackControl &c)
{
    QJsonObject o;
    put(o, "first", c.first);
    put(o, "key", c.key);
    put(o, "caption", c.caption);
    put(o, "toolTip", c.toolTip);
    put(o, "captionOverride", c.captionOverride);
    put(o, "toolTipOverride", c.toolTipOverride);
    if (c.value != 0)
        o.insert(QStringLiteral("value"), c.value);
    return o;
}

QJsonObject windowJson(const PackWindow &w)
{
    QJsonObject o;
    put(o, "first", w.first);
    put(o, "name", w.name);
    put(o, "caption", w.caption);
    put(o, "captionOverride", w.captionOverride);
    const QJsonObject c0 = controlJson(w.control0);
    if (!c0.isEmpty())
        o.insert(QStringLiteral("control0"), c0);
    QJsonArray controls;
    for (const PackControl &c : w.controls)
        controls.append(controlJson(c));
    if (!controls.isEmpty())
        o.insert(QStringLiteral("controls"), controls);
    return o;
}

QJsonObject stringJson(const PackString &s)
{
    QJsonObject o;
    put(o, "id", s.name);
    put(o, "text", s.value);
    return o;
}

// Reads the text fields of `o`; anything else than a string is an error.
class Fields
{
public:
    Fields(const QJsonObject &o, QString where, QString *error)
        : m_o(o)
        , m_where(std::move(where))
        , m_error(error)
    {
    }

    QString text(const char *key)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined() || v.isNull())
            return {};
        if (!v.isString())
            fail(QStringLiteral("%1: \"%2\" is not a text").arg(m_where, QLatin1String(key)));
        return v.toString();
    }

    bool ok() const { return m_ok; }

    void fail(const QString &message)
    {
        if (m_ok && m_error)
            *m_error = message;
        m_ok = false;
    }

private:
    const QJsonObject &m_o;
    QString m_where;
    QString *m_error;
    bool m_ok = true;
};

bool controlFrom(const QJsonObject &o, const QString &where, PackControl &c, QString *error)
{
    Fields f(o, where, error);
    c.first = f.text("first");
    c.key = f.text("key");
    c.caption = f.text("caption");
    c.toolTip = f.text("toolTip");
    c.captionOverride = f.text("captionOverride");
    c.toolTipOverride = f.text("toolTipOverride");
    const QJsonValue v = o.value(QStringLiteral("value"));
    if (!v.isUndefined() && !v.isDouble())
        f.fail(QStringLiteral("%1: \"value\" is not a number").arg(where));
    c.value = qint32(v.toInteger());
    return f.ok();
}

bool windowFrom(const QJsonObject &o, const QString &where, PackWindow &w, QString *error)
{
    Fields f(o, where, error);
    w.first = f.text("first");
    w.name = f.text("name");
    w.caption = f.text("caption");
    w.captionOverride = f.text("captionOverride");
    if (!f.ok())
        return false;
    if (!controlFrom(o.value(QStringLiteral("control0")).toObject(),
                     where + QStringLiteral(".control0"), w.control0, error))
        return false;
    const QJsonArray controls = o.value(QStringLiteral("controls")).toArray();
    for (qsizetype i = 0; i < controls.size(); ++i) {
        PackControl c;
        const QString at = QStringLiteral("%1.controls[%2]").arg(where).arg(i);
        if (!controls[i].isObject()) {
            if (error)
                *error = at + QStringLiteral(" is not an object");
            return false;
        }
        if (!controlFrom(controls[i].toObject(), at, c, error))
            return false;
        w.controls.append(c);
    }
    return true;
}

bool stringFrom(const QJsonObject &o, const QString &where, PackString &s, QString *error)
{
    Fields f(o, where, error);
    s.name = f.text("id");
    s.value = f.text("text");
    return f.ok();
}

} // namespace

QJsonObject toJson(const PackData &pack)
{
    QJsonObject o;
    o.insert(QStringLiteral("headerA"), Ansi::decode(pack.headerA));
    o.insert(QStringLiteral("headerB"), Ansi::decode(pack.headerB));
    const QJsonObject w0 = windowJson(pack.window0);
    if (!w0.isEmpty())
        o.insert(QStringLiteral("window0"), w0);
    QJsonArray windows;
    for (const PackWindow &w : pack.windows)
        windows.append(windowJson(w));
    o.insert(QStringLiteral("windows"), windows);
    const QJsonObject s0 = stringJson(pack.string0);
    if (!s0.isEmpty())
        o.insert(QStringLiteral("string0"), s0);
    QJsonArray strings;
    for (const PackString &s : pack.strings)
        strings.append(stringJson(s));
    o.insert(QStringLiteral("strings"), strings);
    return o;
}

bool fromJson(const QJsonObject &json, PackData &pack, QString *error)
{
    pack = PackData();
    PackData p;
    Fields f(json, QStringLiteral("pack"), error);
    const QString a = f.text("headerA");
    const QString b = f.text("headerB");
    if (!f.ok())
        return false;
    p.headerA
        = json.contains(QStringLiteral("headerA")) ? Ansi::encode(a) : PackFile::defaultHeaderA();
    p.headerB
        = json.contains(QStringLiteral("headerB")) ? Ansi::encode(b) : PackFile::defaultHeaderB();
    if (p.headerA.size() != 4 || p.headerB.size() != 32) {
        if (error)
            *error = QStringLiteral("\"headerA\" must have 4 characters and \"headerB\" 32");
        return false;
    }
    if (!windowFrom(json.value(QStringLiteral("window0")).toObject(), QStringLiteral("window0"),
                    p.window0, error)
        || !stringFrom(json.value(QStringLiteral("string0")).toObject(), QStringLiteral("string0"),
                       p.string0, error))
        return false;
    const QJsonArray windows = json.value(QStringLiteral("windows")).toArray();
    for (qsizetype i = 0; i < windows.size(); ++i) {
        PackWindow w;
        if (!windowFrom(windows[i].toObject(), QStringLiteral("windows[%1]").arg(i), w, error))
            return false;
        p.windows.append(w);
    }
    const QJsonArray strings = json.value(QStringLiteral("strings")).toArray();
    for (qsizetype i = 0; i < strings.size(); ++i) {
        PackString s;
        if (!stringFrom(strings[i].toObject(), QStringLiteral("strings[%1]").arg(i), s, error))
            return false;
        p.strings.append(s);
    }
    pack = std::move(p);
    return true;
}

} // namespace vantrel::PackJson
