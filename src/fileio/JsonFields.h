#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cmath>
#include <limits>
#include <optional>

namespace vantrel {

// Reads the fields of one JSON object of an input the program builds a file
// from. The first thing that is wrong is kept in `*error`, named by its JSON
// path ("strings[3].text is not a text"); later reads then give empty values.
// A missing field reads as empty or zero unless it is required.
class JsonFields
{
public:
    JsonFields(const QJsonObject &object, QString where, QString *error);

    bool ok() const { return m_error->isEmpty(); }

    // Refuses every key not in `known`: a misspelt field is an error, not a
    // field silently left out.
    void allowOnly(const QStringList &known);
    // Refuses the object when one of `keys` is missing.
    void require(const QStringList &keys);

    QString text(const char *key);
    // true or false; a missing one is `fallback`.
    bool boolean(const char *key, bool fallback = false);
    // A number, or one of the texts that name what a JSON number cannot hold
    // (see floatToJson).
    float real(const char *key);
    template<typename Int> Int integer(const char *key)
    {
        const double d = wholeNumber(key, double(std::numeric_limits<Int>::min()),
                                     double(std::numeric_limits<Int>::max()));
        return Int(d);
    }
    // A list; a missing one is empty. Each element is checked to be an object.
    QJsonArray objects(const char *key);
    // A list of whole numbers from `low` to `high`; a missing one is empty.
    QList<double> numbers(const char *key, double low, double high);
    QJsonObject object(const char *key);

    // "where.key" (or "key" at the top), the path of a field in messages.
    QString path(const char *key) const;
    QString path(const char *key, qsizetype index) const;
    void fail(const QString &message);
    // The value at `key`; undefined when absent or after a fault.
    QJsonValue present(const char *key) const;

private:
    double wholeNumber(const char *key, double low, double high);

    QJsonObject m_object; // shared, not copied
    QString m_where;
    QString *m_error;
};

// A float as JSON: a number when JSON can hold it exactly, else a text that
// JsonFields::real reads back to the same bits: "inf", "-inf", "nan" (the
// usual quiet NaN), "-0", or "nan:0x7fa00001" with the bits of any other NaN.
QJsonValue floatToJson(float value);

} // namespace vantrel
