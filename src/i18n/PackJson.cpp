#include "i18n/PackJson.h"

#include "fileio/JsonFields.h"
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

QJsonObject stringJson(const PackString &s, bool used)
{
    QJsonObject o;
    if (used) {
        // A used record always names both, so an empty text stays a text.
        o.insert(QStringLiteral("id"), s.name);
        o.insert(QStringLiteral("text"), s.value);
        return o;
    }
    put(o, "id", s.name);
    put(o, "text", s.value);
    return o;
}

bool controlFrom(const QJsonObject &o, const QString &where, PackControl &c, QString *error)
{
    JsonFields f(o, where, error);
    f.allowOnly({QStringLiteral("first"), QStringLiteral("key"), QStringLiteral("caption"),
                 QStringLiteral("toolTip"), QStringLiteral("captionOverride"),
                 QStringLiteral("toolTipOverride"), QStringLiteral("value")});
    c.first = f.text("first");
    c.key = f.text("key");
    c.caption = f.text("caption");
    c.toolTip = f.text("toolTip");
    c.captionOverride = f.text("captionOverride");
    c.toolTipOverride = f.text("toolTipOverride");
    c.value = f.integer<qint32>("value");
    return f.ok();
}

bool windowFrom(const QJsonObject &o, const QString &where, PackWindow &w, QString *error)
{
    JsonFields f(o, where, error);
    f.allowOnly({QStringLiteral("first"), QStringLiteral("name"), QStringLiteral("caption"),
                 QStringLiteral("captionOverride"), QStringLiteral("control0"),
                 QStringLiteral("controls")});
    w.first = f.text("first");
    w.name = f.text("name");
    w.caption = f.text("caption");
    w.captionOverride = f.text("captionOverride");
    const QJsonObject control0 = f.object("control0");
    const QJsonArray controls = f.objects("controls");
    if (!f.ok() || !controlFrom(control0, f.path("control0"), w.control0, error))
        return false;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        PackControl c;
        if (!controlFrom(controls[i].toObject(), f.path("controls", i), c, error))
            return false;
        w.controls.append(c);
    }
    return true;
}

// String records 1.. name their id and text; record 0 may leave both out.
bool stringFrom(const QJsonObject &o, const QString &where, PackString &s, QString *error,
                bool used)
{
    JsonFields f(o, where, error);
    f.allowOnly({QStringLiteral("id"), QStringLiteral("text")});
    if (used)
        f.require({QStringLiteral("id"), QStringLiteral("text")});
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
    const QJsonObject s0 = stringJson(pack.string0, false);
    if (!s0.isEmpty())
        o.insert(QStringLiteral("string0"), s0);
    QJsonArray strings;
    for (const PackString &s : pack.strings)
        strings.append(stringJson(s, true));
    o.insert(QStringLiteral("strings"), strings);
    return o;
}

bool fromJson(const QJsonObject &json, PackData &pack, QString *error)
{
    pack = PackData();
    error->clear();
    PackData p;
    JsonFields f(json, {}, error);
    f.allowOnly({QStringLiteral("headerA"), QStringLiteral("headerB"), QStringLiteral("window0"),
                 QStringLiteral("windows"), QStringLiteral("string0"), QStringLiteral("strings")});
    // Every pack has both lists; a document without them is something else.
    f.require({QStringLiteral("windows"), QStringLiteral("strings")});
    const QString a = f.text("headerA");
    const QString b = f.text("headerB");
    const QJsonObject window0 = f.object("window0");
    const QJsonObject string0 = f.object("string0");
    const QJsonArray windows = f.objects("windows");
    const QJsonArray strings = f.objects("strings");
    if (!f.ok())
        return false;
    p.headerA
        = json.contains(QStringLiteral("headerA")) ? Ansi::encode(a) : PackFile::defaultHeaderA();
    p.headerB
        = json.contains(QStringLiteral("headerB")) ? Ansi::encode(b) : PackFile::defaultHeaderB();
    if (p.headerA.size() != 4 || p.headerB.size() != 32) {
        *error = QStringLiteral("headerA must have 4 characters and headerB 32");
        return false;
    }
    if (!windowFrom(window0, QStringLiteral("window0"), p.window0, error)
        || !stringFrom(string0, QStringLiteral("string0"), p.string0, error, false))
        return false;
    for (qsizetype i = 0; i < windows.size(); ++i) {
        PackWindow w;
        if (!windowFrom(windows[i].toObject(), f.path("windows", i), w, error))
            return false;
        p.windows.append(w);
    }
    for (qsizetype i = 0; i < strings.size(); ++i) {
        PackString s;
        if (!stringFrom(strings[i].toObject(), f.path("strings", i), s, error, true))
            return false;
        p.strings.append(s);
    }
    pack = std::move(p);
    return true;
}

} // namespace vantrel::PackJson
