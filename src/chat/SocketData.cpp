#include "chat/SocketData.h"

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

} // namespace vantrel
