#pragma once

#include <QByteArray>
#include <QString>

namespace vantrel {

// Text in files and on the wire is Windows-1252, one byte per character. This
// is the one place that converts; characters outside the code page become "?".
namespace Ansi {

QString decode(const char *data, qsizetype size);
inline QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}
QByteArray encode(const QString &text);
// Appends the encoding of `text` to `out`; returns the number of bytes added.
qsizetype appendEncoded(const QString &text, QByteArray &out);

} // namespace Ansi

} // namespace vantrel
