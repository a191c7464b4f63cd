#include "cli/StratJson.h"

#include "fileio/JsonFields.h"

#include <QJsonArray>

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

} // namespace

QJsonObject toJson(const Strat &strat)
{
    QJsonObject o;
    o[QStringLiteral("overview")] = strat.Overview.trimmed();
    o[QStringLiteral("title")] = strat.Title.trimmed();
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
    return o;
}

bool fromJson(const QJsonObject &json, Strat &strat, QString *error)
{
    error->clear();
    Strat s;
    JsonFields top(json, {}, error);
    top.allowOnly({QStringLiteral("overview"), QStringLiteral("title"), QStringLiteral("objects"),
                   QStringLiteral("texts"), QStringLiteral("colors"), QStringLiteral("movements"),
                   QStringLiteral("links")});
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
    if (!top.ok())
        return false;
    strat = std::move(s);
    return true;
}

} // namespace vantrel::StratJson
