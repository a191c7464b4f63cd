#include "cli/StratJson.h"

#include <QJsonArray>

#include <cmath>
#include <limits>

namespace vantrel::StratJson {

namespace {

QJsonValue number(float v)
{
    return std::isfinite(v) ? QJsonValue(double(v)) : QJsonValue(QString::number(double(v)));
}

template<typename T, typename ToJson>
QJsonArray listToJson(const NumberedList<T> &list, ToJson toJson)
{
    QJsonArray out;
    for (int i = 1; i <= list.count(); ++i)
        out.append(toJson(list[i]));
    return out;
}

// Reading: a small cursor over one JSON object that remembers the first error.
class Fields
{
public:
    Fields(const QJsonObject &o, QString where, QString *error)
        : m_o(o)
        , m_where(std::move(where))
        , m_error(error)
    {
    }

    template<typename Int> Int integer(const char *key)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined())
            return 0;
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || d != std::floor(d) || d < double(std::numeric_limits<Int>::min())
            || d > double(std::numeric_limits<Int>::max())) {
            fail(key, "is not a whole number in range");
            return 0;
        }
        return Int(d);
    }

    float real(const char *key)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined())
            return 0;
        if (!v.isDouble()) {
            fail(key, "is not a number");
            return 0;
        }
        return float(v.toDouble());
    }

    QString text(const char *key)
    {
        const QJsonValue v = m_o.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isString()) {
            fail(key, "is not a text");
            return {};
        }
        return v.toString();
    }

private:
    void fail(const char *key, const char *what)
    {
        if (m_error->isEmpty())
            *m_error
                = QStringLiteral("%1.%2 %3").arg(m_where, QLatin1String(key), QLatin1String(what));
    }

    const QJsonObject &m_o;
    QString m_where;
    QString *m_error;
};

template<typename T, typename FromJson>
bool listFromJson(const QJsonObject &json, const char *key, NumberedList<T> &list, QString *error,
                  FromJson fromJson)
{
    const QJsonValue v = json.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isArray()) {
        *error = QStringLiteral("%1 is not a list").arg(QLatin1String(key));
        return false;
    }
    const QJsonArray array = v.toArray();
    if (array.size() > INT16_MAX) {
        *error = QStringLiteral("%1 has more than 32767 entries").arg(QLatin1String(key));
        return false;
    }
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QString where = QStringLiteral("%1[%2]").arg(QLatin1String(key)).arg(i);
        if (!array[i].isObject() && !array[i].isDouble()) {
            *error = QStringLiteral("%1 is not an object").arg(where);
            return false;
        }
        list.append(fromJson(array[i], where));
        if (!error->isEmpty())
            return false;
    }
    return true;
}

} // namespace

QJsonObject toJson(const Strat &strat)
{
    QJsonObject o;
    o[QStringLiteral("overview")] = strat.Overview.trimmed();
    o[QStringLiteral("title")] = strat.Title.trimmed();
    o[QStringLiteral("objects")] = listToJson(strat.Objects, [](const StratObject &ob) {
        return QJsonObject{{QStringLiteral("PictureIndex"), ob.PictureIndex},
                           {QStringLiteral("Left"), number(ob.Left)},
                           {QStringLiteral("Top"), number(ob.Top)}};
    });
    o[QStringLiteral("texts")] = listToJson(strat.Texts, [](const StratText &t) {
        return QJsonObject{{QStringLiteral("Left"), number(t.Left)},
                           {QStringLiteral("Top"), number(t.Top)},
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
                                      {QStringLiteral("Velocity"), number(p.Velocity)}});
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
    Fields top(json, QStringLiteral("document"), error);
    s.Overview = top.text("overview");
    s.Title = top.text("title");
    if (!error->isEmpty())
        return false;

    bool ok = listFromJson(
        json, "objects", s.Objects, error, [&](const QJsonValue &v, const QString &w) {
            Fields f(v.toObject(), w, error);
            return StratObject{f.integer<int16_t>("PictureIndex"), f.real("Left"), f.real("Top")};
        });
    ok = ok
         && listFromJson(json, "texts", s.Texts, error, [&](const QJsonValue &v, const QString &w) {
                Fields f(v.toObject(), w, error);
                return StratText{f.real("Left"), f.real("Top"), f.text("Caption")};
            });
    ok = ok
         && listFromJson(
             json, "colors", s.LineColors, error, [&](const QJsonValue &v, const QString &w) {
                 const double d = v.toDouble(-1);
                 if (!v.isDouble() || d < 0 || d > 4294967295.0 || d != std::floor(d))
                     *error = QStringLiteral("%1 is not an unsigned 32-bit colour").arg(w);
                 return uint32_t(d < 0 ? 0 : d);
             });
    ok = ok
         && listFromJson(
             json, "movements", s.Movements, error, [&](const QJsonValue &v, const QString &w) {
                 const QJsonObject o = v.toObject();
                 Fields f(o, w, error);
                 StratMovement m;
                 m.ObjectIndex = f.integer<int16_t>("ObjectIndex");
                 const QJsonArray points = o.value(QStringLiteral("Points")).toArray();
                 if (points.size() > INT16_MAX) {
                     *error = QStringLiteral("%1.Points has more than 32767 entries").arg(w);
                     return m;
                 }
                 m.Points.resize(size_t(points.size()) + 1);
                 for (qsizetype j = 0; j < points.size(); ++j) {
                     Fields p(points[j].toObject(), QStringLiteral("%1.Points[%2]").arg(w).arg(j),
                              error);
                     m.Points[size_t(j) + 1]
                         = MovementPoint{p.integer<int32_t>("StartFrame"), p.integer<int32_t>("X"),
                                         p.integer<int32_t>("Y"), p.real("Velocity")};
                 }
                 m.PointCount = int16_t(points.size());
                 return m;
             });
    ok = ok
         && listFromJson(json, "links", s.Links, error, [&](const QJsonValue &v, const QString &w) {
                Fields f(v.toObject(), w, error);
                return StratLink{f.text("Target"), f.integer<int16_t>("ObjectIndex"),
                                 f.integer<int16_t>("MovementIndex"),
                                 f.integer<int16_t>("PointIndex")};
            });
    if (!ok || !error->isEmpty())
        return false;
    strat = std::move(s);
    return true;
}

} // namespace vantrel::StratJson
