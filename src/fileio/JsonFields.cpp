#include "fileio/JsonFields.h"

#include <bit>
#include <cstdint>

namespace vantrel {

namespace {

constexpr uint32_t kQuietNan = 0x7FC00000;

// The float a text of floatToJson names, or nothing.
std::optional<float> floatFromText(const QString &text)
{
    if (text == QLatin1String("inf"))
        return std::numeric_limits<float>::infinity();
    if (text == QLatin1String("-inf"))
        return -std::numeric_limits<float>::infinity();
    if (text == QLatin1String("nan"))
        return std::bit_cast<float>(kQuietNan);
    if (text == QLatin1String("-0"))
        return -0.0f;
    if (text.startsWith(QLatin1String("nan:0x")) && text.size() == 14) {
        bool ok = false;
        const uint32_t bits = text.mid(6).toUInt(&ok, 16);
        const float value = std::bit_cast<float>(bits);
        if (ok && std::isnan(value))
            return value;
    }
    return std::nullopt;
}

bool isWholeIn(const QJsonValue &v, double low, double high)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    return d == std::floor(d) && d >= low && d <= high;
}

} // namespace

JsonFields::JsonFields(const QJsonObject &object, QString where, QString *error)
    : m_object(object)
    , m_where(std::move(where))
    , m_error(error)
{
}

QString JsonFields::path(const char *key) const
{
    return m_where.isEmpty() ? QLatin1String(key) : m_where + QLatin1Char('.') + QLatin1String(key);
}

QString JsonFields::path(const char *key, qsizetype index) const
{
    return QStringLiteral("%1[%2]").arg(path(key)).arg(index);
}

void JsonFields::fail(const QString &message)
{
    if (m_error->isEmpty())
        *m_error = message;
}

void JsonFields::allowOnly(const QStringList &known)
{
    for (auto it = m_object.begin(); it != m_object.end(); ++it) {
        if (!known.contains(it.key())) {
            const QString name
                = m_where.isEmpty() ? it.key() : m_where + QLatin1Char('.') + it.key();
            fail(name + QStringLiteral(" is not a known field"));
            return;
        }
    }
}

void JsonFields::require(const QStringList &keys)
{
    for (const QString &key : keys) {
        if (!m_object.contains(key)) {
            fail(QStringLiteral("%1 is missing").arg(path(key.toUtf8().constData())));
            return;
        }
    }
}

QJsonValue JsonFields::present(const char *key) const
{
    // After the first fault nothing more is read, so only one is reported.
    return ok() ? m_object.value(QLatin1String(key)) : QJsonValue(QJsonValue::Undefined);
}

QString JsonFields::text(const char *key)
{
    const QJsonValue v = present(key);
    if (v.isUndefined())
        return {};
    if (!v.isString()) {
        fail(path(key) + QStringLiteral(" is not a text"));
        return {};
    }
    return v.toString();
}

bool JsonFields::boolean(const char *key, bool fallback)
{
    const QJsonValue v = present(key);
    if (v.isUndefined())
        return fallback;
    if (!v.isBool()) {
        fail(path(key) + QStringLiteral(" is not true or false"));
        return fallback;
    }
    return v.toBool();
}

float JsonFields::real(const char *key)
{
    const QJsonValue v = present(key);
    if (v.isUndefined())
        return 0;
    if (v.isDouble())
        return float(v.toDouble());
    if (v.isString()) {
        if (const std::optional<float> named = floatFromText(v.toString()))
            return *named;
    }
    fail(path(key) + QStringLiteral(" is not a number"));
    return 0;
}

double JsonFields::wholeNumber(const char *key, double low, double high)
{
    const QJsonValue v = present(key);
    if (v.isUndefined())
        return 0;
    if (!isWholeIn(v, low, high)) {
        fail(path(key) + QStringLiteral(" is not a whole number in range"));
        return 0;
    }
    return v.toDouble();
}

QJsonArray JsonFields::objects(const char *key)
{
    const QJsonValue v = present(key);
    if (v.isUndefined())
        return {};
    if (!v.isArray()) {
        fail(path(key) + QStringLiteral(" is not a list"));
        return {};
    }
    const QJsonArray list = v.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list[i].isObject()) {
            fail(path(key, i) + QStringLiteral(" is not an object"));
            return {};
        }
    }
    return list;
}

QList<double> JsonFields::numbers(const char *key, double low, double high)
{
    const QJsonValue v = present(key);
    if (v.isUndefined())
        return {};
    if (!v.isArray()) {
        fail(path(key) + QStringLiteral(" is not a list"));
        return {};
    }
    QList<double> out;
    const QJsonArray list = v.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!isWholeIn(list[i], low, high)) {
            fail(path(key, i) + QStringLiteral(" is not a whole number in range"));
            return {};
        }
        out.append(list[i].toDouble());
    }
    return out;
}

QJsonObject JsonFields::object(const char *key)
{
    const QJsonValue v = present(key);
    if (v.isUndefined())
        return {};
    if (!v.isObject()) {
        fail(path(key) + QStringLiteral(" is not an object"));
        return {};
    }
    return v.toObject();
}

QJsonValue floatToJson(float value)
{
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (std::isnan(value)) {
        const uint32_t bits = std::bit_cast<uint32_t>(value);
        if (bits == kQuietNan)
            return QStringLiteral("nan");
        return QStringLiteral("nan:0x%1").arg(bits, 8, 16, QLatin1Char('0'));
    }
    if (value == 0 && std::signbit(value))
        return QStringLiteral("-0");
    return double(value);
}

} // namespace vantrel
