#pragma once

#include "strat/Drawing.h"
#include "strat/NumberedList.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace vantrel {

// Units: twips, 15 to a pixel. An object's anchor is 75 twips right of and
// below its top-left corner; a way-point marker's centre is 50.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kObjectAnchor = 75;
inline constexpr int kMarkerCentre = 50;
inline constexpr int kMarkerSize = 100;

// Palette pictures: 0..4 blue players 1..5, 5..9 red players 1..5,
// 10..12 the HE, FB and SG grenade boxes. -1 marks a deleted object.
inline constexpr int kPaletteSize = 13;
inline constexpr int16_t kDeletedPicture = -1;
inline bool isGrenadePicture(int pictureIndex)
{
    return pictureIndex >= 10 && pictureIndex <= 12;
}

// System colour of button faces: the colour a new movement gets.
inline constexpr uint32_t kButtonFaceColor = 0x8000000Fu;

struct StratObject
{
    int16_t PictureIndex = 0;
    float Left = 0;
    float Top = 0;

    bool isDeleted() const { return PictureIndex < 0; }
    bool operator==(const StratObject &) const = default;
};

struct StratText
{
    float Left = 0;
    float Top = 0;
    QString Caption;

    // A deleted text keeps its number and reads (0, 0, "0").
    static StratText tombstone() { return {0, 0, QStringLiteral("0")}; }
    bool isTombstone() const { return Left == 0 && Top == 0 && Caption == QLatin1String("0"); }
    bool operator==(const StratText &) const = default;
};

struct MovementPoint
{
    int32_t StartFrame = 0;
    int32_t X = 0;
    int32_t Y = 0;
    float Velocity = 0;

    bool operator==(const MovementPoint &) const = default;
};

struct StratMovement
{
    int16_t ObjectIndex = 0;
    int16_t PointCount = 0;
    // Points 0..PointCount; point 0 carries no data. Empty means no storage
    // at all (element 0 of the movement list).
    std::vector<MovementPoint> Points;

    bool hasPoint(int j) const { return j >= 1 && j <= PointCount && size_t(j) < Points.size(); }
    // A movement whose object was deleted: no points, element 0 only.
    void empty()
    {
        ObjectIndex = 0;
        PointCount = 0;
        Points.assign(1, MovementPoint{});
    }
    bool operator==(const StratMovement &) const = default;
};

struct StratLink
{
    QString Target;
    int16_t ObjectIndex = 0;
    int16_t MovementIndex = 0;
    int16_t PointIndex = 0;

    bool operator==(const StratLink &) const = default;
};

// A blank-padded fixed-width text: longer values are cut on assignment,
// shorter ones padded; it is used with its surrounding blanks removed.
template<int Width> class FixedText
{
public:
    FixedText() { assign(QString()); }
    FixedText(const QString &value) { assign(value); } // NOLINT: assignment semantics on purpose

    void assign(const QString &value)
    {
        m_padded = fit(value);
        m_padded += QString(Width - characterCount(m_padded), QLatin1Char(' '));
    }
    // The first Width characters of `value`. A character outside the Basic
    // Multilingual Plane is two UTF-16 units but one byte in the file, so the
    // cut counts characters and never splits a surrogate pair.
    static QString fit(const QString &value)
    {
        qsizetype units = 0;
        for (int n = 0; n < Width && units < value.size(); ++n)
            units += isPair(value, units) ? 2 : 1;
        return value.left(units);
    }
    const QString &padded() const { return m_padded; }
    QString trimmed() const { return m_padded.trimmed(); }
    // The value with only the blanks of its padding removed: white space the
    // value itself ends with stays.
    QString unpadded() const
    {
        qsizetype n = m_padded.size();
        while (n > 0 && m_padded.at(n - 1) == QLatin1Char(' '))
            --n;
        return m_padded.left(n);
    }
    static constexpr int width() { return Width; }
    bool operator==(const FixedText &) const = default;

private:
    static bool isPair(const QString &s, qsizetype i)
    {
        return s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate();
    }
    static int characterCount(const QString &s)
    {
        int n = 0;
        for (qsizetype i = 0; i < s.size(); ++n)
            i += isPair(s, i) ? 2 : 1;
        return n;
    }

    QString m_padded;
};

using StratTitle = FixedText<32>;
using OverviewName = FixedText<16>;

// One strat: the title, the overview name, the five lists and the drawings,
// as a strat window holds them and as a strat file stores them.
struct Strat
{
    OverviewName Overview;
    StratTitle Title;
    NumberedList<StratObject> Objects;
    NumberedList<StratText> Texts;
    NumberedList<uint32_t> LineColors; // one per movement
    NumberedList<StratMovement> Movements;
    NumberedList<StratLink> Links;
    // Shapes drawn on the map, in drawing order; kept in the file's extension
    // block, never in the core lists.
    std::vector<Drawing> drawings;

    bool operator==(const Strat &) const = default;
};

} // namespace vantrel
