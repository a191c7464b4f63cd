#pragma once

#include "fileio/FileResult.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vantrel {

// One control of a window record: the key names the control ("cmdOK",
// "optVel(2)", "tab.TabCaption(1)"); the overrides win over caption and
// tooltip when they are not empty. `value` is stored and never used.
struct PackControl
{
    QString first;
    QString key;
    QString caption;
    QString toolTip;
    QString captionOverride;
    QString toolTipOverride;
    qint32 value = 0;
};

struct PackWindow
{
    QString first;
    QString name;
    QString caption;
    QString captionOverride;
    // Element 0 of the stored control list, never used.
    PackControl control0;
    // The controls used, numbered 1.. in the file.
    QList<PackControl> controls;
};

struct PackString
{
    QString name;
    QString value;
};

// A language pack as plain text: the records the program uses (1..count)
// and the unused record 0 of each list, kept so a pack can be rewritten
// byte for byte.
struct PackData
{
    QByteArray headerA; // 4 bytes
    QByteArray headerB; // 32 bytes
    PackWindow window0;
    QList<PackWindow> windows;
    PackString string0;
    QList<PackString> strings;
};

// Language pack files (.lpk): little-endian counts, 16-bit length-prefixed
// Windows-1252 texts, the listed fields enciphered (PackCipher), and each
// control list behind an array descriptor (dimensions, count, lower bound).
namespace PackFile {

// The header texts a new pack carries.
QByteArray defaultHeaderA();
QByteArray defaultHeaderB();

// Parses bytes read from `fileName` (used in messages). Every count and
// length is checked against the bytes that remain before anything is
// allocated; a damaged pack leaves `pack` empty.
FileResult decode(const QByteArray &bytes, const QString &fileName, PackData &pack);
FileResult read(const QString &path, PackData &pack);

// The exact bytes of a pack (control lists stored with lower bound 0).
// Fails when a text does not fit the code page after the shift, or a count
// or length does not fit its field.
FileResult encode(const PackData &pack, QByteArray &bytes);
FileResult write(const QString &path, const PackData &pack);

} // namespace PackFile

} // namespace vantrel
