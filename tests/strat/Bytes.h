#pragma once

// Builds expected file bytes by hand, independently of the writer under test.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

namespace vantrel::test {

class Bytes
{
public:
    Bytes &u8(uint8_t v) { return raw(&v, 1); }
    Bytes &u16(uint16_t v) { return raw(&v, 2); }
    Bytes &i16(int16_t v) { return raw(&v, 2); }
    Bytes &i32(int32_t v) { return raw(&v, 4); }
    Bytes &u32(uint32_t v) { return raw(&v, 4); }
    Bytes &f32(float v) { return raw(&v, 4); }
    // Latin-1 bytes given as a C string (use \x escapes for code-page bytes).
    Bytes &chars(const char *s, int n)
    {
        m_bytes.append(s, n);
        return *this;
    }
    Bytes &append(const QByteArray &bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }
    Bytes &padded(const char *s, int width)
    {
        const int n = int(std::strlen(s));
        m_bytes.append(s, n);
        m_bytes.append(QByteArray(width - n, ' '));
        return *this;
    }
    Bytes &text(const char *s)
    {
        const int n = int(std::strlen(s));
        i16(int16_t(n));
        return chars(s, n);
    }
    Bytes &emptyObject() { return i16(0).f32(0).f32(0); }
    Bytes &emptyText() { return f32(0).f32(0).i16(0); }
    Bytes &point(int32_t start, int32_t x, int32_t y, float v)
    {
        return i32(start).i32(x).i32(y).f32(v);
    }
    Bytes &emptyPoint() { return point(0, 0, 0, 0); }
    Bytes &emptyLink() { return i16(0).i16(0).i16(0).i16(0); }

    const QByteArray &bytes() const { return m_bytes; }
    operator QByteArray() const { return m_bytes; }

private:
    Bytes &raw(const void *p, int n)
    {
        // The test machines are little-endian, like the file format.
        m_bytes.append(static_cast<const char *>(p), n);
        return *this;
    }
    QByteArray m_bytes;
};

} // namespace vantrel::test
