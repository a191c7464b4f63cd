#include "chat/SocketData.h"

#include "strat/Ansi.h"

#include <QtEndian>

namespace vantrel {

VarType SocketData::type() const
{
    struct Visitor
    {
        VarType operator()(std::monostate) const { return VarType::Empty; }
        VarType operator()(qint16) const { return VarType::Integer; }
        VarType operator()(qint32) const { return VarType::Long; }
        VarType operator()(float) const { return VarType::Single; }
        VarType operator()(double) const { return VarType::Double; }
        VarType operator()(Currency) const { return VarType::Currency; }
        VarType operator()(DateValue) const { return VarType::Date; }
        VarType operator()(const QString &) const { return VarType::String; }
        VarType operator()(bool) const { return VarType::Boolean; }
        VarType operator()(quint8) const { return VarType::Byte; }
        VarType operator()(const QByteArray &) const { return VarType::ByteArray; }
        VarType operator()(UnsupportedValue u) const { return VarType(u.type); }
    };
    return std::visit(Visitor{}, m_value);
}

int fixedSizeOf(VarType type)
{
    switch (type) {
    case VarType::Integer:
    case VarType::Boolean:
        return 2;
    case VarType::Long:
    case VarType::Single:
        return 4;
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
        return 8;
    case VarType::Byte:
        return 1;
    default:
        return 0;
    }
}

namespace {

template<class T> QByteArray littleEndian(T v)
{
    QByteArray out(sizeof(T), Qt::Uninitialized);
    qToLittleEndian(v, out.data());
    return out;
}

template<class T> T fromLittleEndian(const QByteArray &b)
{
    return qFromLittleEndian<T>(b.constData());
}

} // namespace

std::optional<QByteArray> toWire(const SocketData &data)
{
    struct Visitor
    {
        std::optional<QByteArray> operator()(std::monostate) const { return std::nullopt; }
        std::optional<QByteArray> operator()(qint16 v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(qint32 v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(float v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(double v) const { return littleEndian(v); }
        std::optional<QByteArray> operator()(Currency v) const { return littleEndian(v.scaled); }
        std::optional<QByteArray> operator()(DateValue v) const { return littleEndian(v.days); }
        std::optional<QByteArray> operator()(const QString &v) const { return Ansi::encode(v); }
        std::optional<QByteArray> operator()(bool v) const
        {
            return littleEndian(qint16(v ? -1 : 0));
        }
        std::optional<QByteArray> operator()(quint8 v) const { return QByteArray(1, char(v)); }
        std::optional<QByteArray> operator()(const QByteArray &v) const { return v; }
        std::optional<QByteArray> operator()(UnsupportedValue) const { return std::nullopt; }
    };
    return std::visit(Visitor{}, data.value());
}

SocketData fromWire(VarType kind, const QByteArray &bytes)
{
    switch (kind) {
    case VarType::Integer:
        return fromLittleEndian<qint16>(bytes);
    case VarType::Long:
        return fromLittleEndian<qint32>(bytes);
    case VarType::Single:
        return fromLittleEndian<float>(bytes);
    case VarType::Double:
        return fromLittleEndian<double>(bytes);
    case VarType::Currency:
        return Currency{fromLittleEndian<qint64>(bytes)};
    case VarType::Date:
        return DateValue{fromLittleEndian<double>(bytes)};
    case VarType::Boolean:
        return fromLittleEndian<qint16>(bytes) != 0;
    case VarType::Byte:
        return quint8(bytes.at(0));
    case VarType::String:
        return Ansi::decode(bytes);
    default:
        return bytes;
    }
}

SocketData emptyOf(VarType kind)
{
    return kind == VarType::String ? SocketData(QString()) : SocketData(QByteArray());
}

} // namespace vantrel
