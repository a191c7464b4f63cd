#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace vantrel::assetgen {

// One overview map as written in an assets/overviews/<name>.map file.
//
// The format is line based: a keyword and its arguments separated by blanks;
// empty lines and lines starting with '#' are ignored. Coordinates are pixels
// on the 799 x 585 overview, colours are #RRGGBB.
//
//   name <text>                          name shown on the title plate
//   seed <n>                             varies the noise of the textures
//   raised <texture> <#colour>           everything that is not floor: walls, roofs
//   material <id> <texture> <#colour>    a floor material for floor/poly lines
//   floor <id> <x> <y> <w> <h>           rectangle of walkable floor
//   poly <id> <x,y> <x,y> <x,y> ...      polygon of walkable floor
//   block <x> <y> <w> <h>                raised block standing on the floor
//   wall <x1> <y1> <x2> <y2> <width>     raised wall segment
//   crate <x> <y> <w> <h>                wooden crate
//   container <x> <y> <w> <h> <#colour>  ribbed shipping container
//   barrel <x> <y> <radius>              round barrel
//   tree <x> <y> <radius>                tree crown
//   stairs <x> <y> <w> <h> <up|down|left|right>
//   rails <x1> <y1> <x2> <y2>            a rail track
//   paint <x1> <y1> <x2> <y2> <#colour>  painted floor line
//   site <A|B> <x> <y> <w> <h>           bomb site zone with its big letter
//   spawn <attack|defence> <x> <y> <w> <h>
//   label <x> <y> <text>                 small call-out centred on (x, y)
//
// Textures: concrete, tiles, cobble, planks, planks-v, sand, dirt, grass,
// water, metal.

enum class Texture {
    Concrete,
    Tiles,
    Cobble,
    Planks,
    PlanksVertical,
    Sand,
    Dirt,
    Grass,
    Water,
    Metal
};

struct Material
{
    QString id;
    Texture texture = Texture::Concrete;
    QColor colour;
};

struct Floor
{
    QString material;
    QPolygonF shape;
};

struct Segment
{
    QPointF from, to;
    double width = 0;
    QColor colour;
};

struct Prop
{
    enum Kind { Crate, Container, Barrel, Tree };
    Kind kind = Crate;
    QRectF rect; // barrels and trees: the bounding square of the circle
    QColor colour;
};

struct Stairs
{
    QRectF rect;
    QString direction;
};

struct Zone
{
    QString tag; // "A"/"B" for sites, "attack"/"defence" for spawns
    QRectF rect;
};

struct Label
{
    QPointF at;
    QString text;
};

struct MapSource
{
    QString name;
    quint32 seed = 1;
    Material raised{QString(), Texture::Concrete, QColor(60, 64, 70)};
    QList<Material> materials;
    QList<Floor> floors;
    QList<QRectF> blocks;
    QList<Segment> walls;
    QList<Prop> props;
    QList<Stairs> stairs;
    QList<Segment> rails;
    QList<Segment> paint;
    QList<Zone> sites;
    QList<Zone> spawns;
    QList<Label> labels;

    const Material *material(const QString &id) const;
};

// Parses the text of a .map file. On a fault returns false and sets error to
// "line N: what is wrong"; a map source is only accepted whole.
bool parseMapSource(const QString &text, MapSource &out, QString &error);

bool textureFromName(const QString &name, Texture &out);

} // namespace vantrel::assetgen
