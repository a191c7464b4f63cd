#include "cli/StratJson.h"

#include "fileio/JsonFields.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vantrel::StratJson {

namespace {

template<typename T, typename ToJson>
QJsonArray listToJson(const NumberedList<T> &list, ToJson toJson)
{
    QJsonArray out;
    for (int i = 1; i <= list.count(); ++i)
        out.append(toJson(list[i]));
    return out;
}

// Reads the list `key` of `top`, one record per element; the list holds at
// most 32767 records.
template<typename T, typename FromJson>
void listFromJson(JsonFields &top, const char *key, NumberedList<T> &list, FromJson fromJson)
{
    const QJsonArray array = top.objects(key);
    if (array.size() > INT16_MAX) {
        top.fail(top.path(key) + QStringLiteral(" has more than 32767 entries"));
        return;
    }
    for (qsizetype i = 0; i < array.size() && top.ok(); ++i)
        list.append(fromJson(array[i].toObject(), top.path(key, i)));
}

constexpr const char *kKindNames[kDrawingKindCount] = {"pen", "line", "arrow", "rect", "ellipse"};

QJsonObject drawingToJson(const Drawing &d)
{
    QJsonArray points;
    for (const QPoint &p : d.points)
        points.append(QJsonArray{p.x(), p.y()});
    return QJsonObject{
        {QStringLiteral("kind"), QLatin1String(kKindNames[int(d.kind)])},
        {QStringLiteral("points"), points},
        {QStringLiteral("color"),
         QStringLiteral("#%1").arg(d.color & 0xFFFFFFu, 6, 16, QLatin1Char('0'))},
        {QStringLiteral("width"), d.width},
        {QStringLiteral("filled"), d.filled},
        {QStringLiteral("fromFrame"), d.fromFrame},
        {QStringLiteral("toFrame"), d.toFrame},
    };
}

bool isInt32(const QJsonValue &v)
{
    const double d = v.toDouble(0.5);
    return v.isDouble() && d == std::floor(d) && d >= INT32_MIN && d <= INT32_MAX;
}

// "kind", "points" and the rest; a missing colour, width, fill or cue takes
// the value a new drawing has.
Drawing drawingFromJson(JsonFields &f)
{
    Drawing d;
    f.allowOnly({QStringLiteral("kind"), QStringLiteral("points"), QStringLiteral("color"),
                 QStringLiteral("width"), QStringLiteral("filled"), QStringLiteral("fromFrame"),
                 QStringLiteral("toFrame")});
    f.require({QStringLiteral("kind"), QStringLiteral("points")});
    const QString kind = f.text("kind");
    const auto *name = std::find_if(std::begin(kKindNames), std::end(kKindNames),
                                    [&](const char *n) { return kind == QLatin1String(n); });
    if (f.ok() && name == std::end(kKindNames))
        f.fail(f.path("kind") + QStringLiteral(" is not pen, line, arrow, rect or ellipse"));
    d.kind = DrawingKind(name - std::begin(kKindNames));

    const QJsonValue points = f.present("points");
    if (f.ok() && !points.isArray())
        f.fail(f.path("points") + QStringLiteral(" is not a list"));
    const QJsonArray list = points.toArray();
    for (qsizetype i = 0; i < list.size() && f.ok(); ++i) {
        const QJsonArray xy = list[i].toArray();
        if (!list[i].isArray() || xy.size() != 2 || !isInt32(xy[0]) || !isInt32(xy[1]))
            f.fail(f.path("points", i) + QStringLiteral(" is not [x, y] in whole twips"));
        else
            d.points.emplace_back(xy[0].toInt(), xy[1].toInt());
    }
    const bool pen = d.kind == DrawingKind::Pen;
    if (f.ok() && (pen ? d.points.empty() : d.points.size() != 2))
        f.fail(f.path("points")
               + (pen ? QStringLiteral(" is empty")
                      : QStringLiteral(" does not hold two corner points")));

    if (!f.present("color").isUndefined()) {
        const QString color = f.text("color");
        bool hex = color.size() == 7 && color.startsWith(QLatin1Char('#'));
        const uint value = hex ? color.mid(1).toUInt(&hex, 16) : 0;
        if (f.ok() && !hex)
            f.fail(f.path("color") + QStringLiteral(" is not #rrggbb"));
        d.color = value;
    }
    if (!f.present("width").isUndefined())
        d.width = f.integer<int32_t>("width");
    d.filled = f.boolean("filled");
    d.fromFrame = f.integer<int32_t>("fromFrame");
    d.toFrame = f.integer<int32_t>("toFrame");
    return d;
}

} // namespace

QJsonObject toJson(const Strat &strat)
{
    QJsonObject o;
    o[QStringLiteral("overview")] = strat.Overview.trimmed();
    o[QStringLiteral("title")] = strat.Title.unpadded();
    o[QStringLiteral("objects")] = listToJson(strat.Objects, [](const StratObject &ob) {
        return QJsonObject{{QStringLiteral("PictureIndex"), ob.PictureIndex},
                           {QStringLiteral("Left"), floatToJson(ob.Left)},
                           {QStringLiteral("Top"), floatToJson(ob.Top)}};
    });
    o[QStringLiteral("texts")] = listToJson(strat.Texts, [](const StratText &t) {
        return QJsonObject{{QStringLiteral("Left"), floatToJson(t.Left)},
                           {QStringLiteral("Top"), floatToJson(t.Top)},
                           {QStringLiteral("Caption"), t.Caption}};
    });
    o[QStringLiteral("colors")]
        = listToJson(strat.LineColors, [](uint32_t c) { return QJsonValue(double(c)); });
    o[QStringLiteral("movements")] = listToJson(strat.Movements, [](const StratMovement &m) {
        QJsonArray points;
        for (int j = 1; j <= m.PointCount && m.hasPoint(j); ++j) {
            const MovementPoint &p = m.Points[size_t(j)];
            points.append(QJsonObject{{QStringLiteral("StartFrame"), p.StartFrame},
                                      {QStringLiteral("X"), p.X},
                                      {QStringLiteral("Y"), p.Y},
                                      {QStringLiteral("Velocity"), floatToJson(p.Velocity)}});
        }
        return QJsonObject{{QStringLiteral("ObjectIndex"), m.ObjectIndex},
                           {QStringLiteral("PointCount"), m.PointCount},
                           {QStringLiteral("Points"), points}};
    });
    o[QStringLiteral("links")] = listToJson(strat.Links, [](const StratLink &l) {
        return QJsonObject{{QStringLiteral("Target"), l.Target},
                           {QStringLiteral("ObjectIndex"), l.ObjectIndex},
                           {QStringLiteral("MovementIndex"), l.MovementIndex},
                           {QStringLiteral("PointIndex"), l.PointIndex}};
    });
    QJsonArray drawings;
    for (const Drawing &d : strat.drawings)
        drawings.append(drawingToJson(d));
    o[QStringLiteral("drawings")] = drawings;
    return o;
}

bool fromJson(const QJsonObject &json, Strat &strat, QString *error)
{
    error->clear();
    Strat s;
    JsonFields top(json, {}, error);
    top.allowOnly({QStringLiteral("overview"), QStringLiteral("title"), QStringLiteral("objects"),
                   QStringLiteral("texts"), QStringLiteral("colors"), QStringLiteral("movements"),
                   QStringLiteral("links"), QStringLiteral("drawings")});
    // Every strat has both; a document without them is something else.
    top.require({QStringLiteral("overview"), QStringLiteral("title")});
    s.Overview = top.text("overview");
    s.Title = top.text("title");

    listFromJson(top, "objects", s.Objects, [&](const QJsonObject &o, const QString &where) {
        JsonFields f(o, where, error);
        f.allowOnly(
            {QStringLiteral("PictureIndex"), QStringLiteral("Left"), QStringLiteral("Top")});
        return StratObject{f.integer<int16_t>("PictureIndex"), f.real("Left"), f.real("Top")};
    });
    listFromJson(top, "texts", s.Texts, [&](const QJsonObject &o, const QString &where) {
        JsonFields f(o, where, error);
        f.allowOnly({QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Caption")});
        return StratText{f.real("Left"), f.real("Top"), f.text("Caption")};
    });
    const QList<double> colors = top.numbers("colors", 0, 4294967295.0);
    if (colors.size() > INT16_MAX)
        top.fail(QStringLiteral("colors has more than 32767 entries"));
    for (double c : colors)
        s.LineColors.append(uint32_t(c));
    listFromJson(top, "movements", s.Movements, [&](const QJsonObject &o, const QString &where) {
        JsonFields f(o, where, error);
        f.allowOnly({QStringLiteral("ObjectIndex"), QStringLiteral("PointCount"),
                     QStringLiteral("Points")});
        StratMovement m;
        m.ObjectIndex = f.integer<int16_t>("ObjectIndex");
        const QJsonArray points = f.objects("Points");
        if (points.size() > INT16_MAX) {
            f.fail(f.path("Points") + QStringLiteral(" has more than 32767 entries"));
            return m;
        }
        m.Points.resize(size_t(points.size()) + 1);
        for (qsizetype j = 0; j < points.size() && f.ok(); ++j) {
            JsonFields p(points[j].toObject(), f.path("Points", j), error);
            p.allowOnly({QStringLiteral("StartFrame"), QStringLiteral("X"), QStringLiteral("Y"),
                         QStringLiteral("Velocity")});
            m.Points[size_t(j) + 1]
                = MovementPoint{p.integer<int32_t>("StartFrame"), p.integer<int32_t>("X"),
                                p.integer<int32_t>("Y"), p.real("Velocity")};
        }
        m.PointCount = int16_t(points.size());
        return m;
    });
    listFromJson(top, "links", s.Links, [&](const QJsonObject &o, const QString &where) {
        JsonFields f(o, where, error);
        f.allowOnly({QStringLiteral("Target"), QStringLiteral("ObjectIndex"),
                     QStringLiteral("MovementIndex"), QStringLiteral("PointIndex")});
        return StratLink{f.text("Target"), f.integer<int16_t>("ObjectIndex"),
                         f.integer<int16_t>("MovementIndex"), f.integer<int16_t>("PointIndex")};
    });
    const QJsonArray drawings = top.objects("drawings");
    for (qsizetype i = 0; i < drawings.size() && top.ok(); ++i) {
        JsonFields f(drawings[i].toObject(), top.path("drawings", i), error);
        s.drawings.push_back(drawingFromJson(f));
    }
    if (!top.ok())
        return false;
    strat = std::move(s);
    return true;
}

} // namespace vantrel::StratJson
