#include "chat/SocketData.h"

#include <gtest/gtest.h>

using namespace vantrel;

// The wire form on its own, without a socket in between (the fixed-size kinds
// go through a socket in SocketTest).
TEST(SocketDataWire, BooleanTextAndKindsWithoutAWireForm)
{
    EXPECT_EQ(toWire(true), QByteArray("\xff\xff", 2));
    EXPECT_EQ(toWire(false), QByteArray("\x00\x00", 2));
    // Any nonzero 16-bit value reads as True.
    EXPECT_TRUE(fromWire(VarType::Boolean, QByteArray("\x01\x00", 2)).as<bool>());
    EXPECT_FALSE(fromWire(VarType::Boolean, QByteArray("\x00\x00", 2)).as<bool>());

    // Text goes one Windows-1252 byte per character both ways.
    const QString text = QStringLiteral("caf\u00e9 \u20ac5");
    const QByteArray ansi("caf\xe9 \x80"
                          "5");
    EXPECT_EQ(toWire(text), ansi);
    EXPECT_EQ(fromWire(VarType::String, ansi).as<QString>(), text);

    EXPECT_FALSE(toWire(SocketData()).has_value());
    EXPECT_FALSE(toWire(UnsupportedValue{}).has_value());
    // Kinds without a wire form of their own come back as the bytes.
    EXPECT_EQ(fromWire(VarType(9), "ab").as<QByteArray>(), QByteArray("ab"));

    EXPECT_TRUE(emptyOf(VarType::String).holds<QString>());
    EXPECT_TRUE(emptyOf(VarType::Long).holds<QByteArray>());
}
