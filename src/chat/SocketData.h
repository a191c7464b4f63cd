#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <variant>

namespace vantrel {

// The kinds of value SendData, GetData and PeekData exchange, numbered as the
// varType argument numbers them.
enum class VarType : int {
    Empty = 0,
    Integer = 2,  // 16-bit integer
    Long = 3,     // 32-bit integer
    Single = 4,   // 32-bit float
    Double = 5,   // 64-bit float
    Currency = 6, // 64-bit integer scaled by 10,000
    Date = 7,     // 64-bit float day count
    String = 8,   // text, one byte per character on the wire
    Boolean = 11, // 16 bits, True = -1
    Byte = 17,    // 8-bit unsigned
    ByteArray = 8209,
};

struct Currency
{
    qint64 scaled = 0; // the amount times 10,000
    bool operator==(const Currency &) const = default;
};

struct DateValue
{
    double days = 0;
    bool operator==(const DateValue &) const = default;
};

// A kind the wire cannot carry (an object, an array of variants ...).
struct UnsupportedValue
{
    int type = 9;
    bool operator==(const UnsupportedValue &) const = default;
};

// A typed value, empty by default. GetData into an empty value takes the kind
// from varType, or a byte array when that is missing too.
class SocketData
{
public:
    using Value = std::variant<std::monostate, qint16, qint32, float, double, Currency, DateValue,
                               QString, bool, quint8, QByteArray, UnsupportedValue>;

    SocketData() = default;
    template<class T>
    SocketData(T v) // NOLINT: implicit on purpose, SendData(QString("hi"))
        : m_value(std::move(v))
    {
    }
    SocketData(const char *text)
        : m_value(QString::fromUtf8(text))
    {
    }

    VarType type() const;
    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    const Value &value() const { return m_value; }
    Value &value() { return m_value; }

    template<class T> const T &as() const { return std::get<T>(m_value); }
    template<class T> bool holds() const { return std::holds_alternative<T>(m_value); }

    bool operator==(const SocketData &) const = default;

private:
    Value m_value;
};

// Size in bytes of a fixed-size kind; 0 for text, byte arrays and the rest.
int fixedSizeOf(VarType type);

// The wire image of a value: little-endian numbers, Windows-1252 text, True
// as -1; nullopt for kinds the wire cannot carry.
std::optional<QByteArray> toWire(const SocketData &data);

// The value of the given kind read from its wire image. Fixed-size kinds need
// at least fixedSizeOf(kind) bytes; kinds without a wire form stay bytes.
SocketData fromWire(VarType kind, const QByteArray &bytes);

// The empty text for String, an empty byte array for every other kind.
SocketData emptyOf(VarType kind);

} // namespace vantrel
