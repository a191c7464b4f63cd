#include "MapSource.h"

#include <QRegularExpression>
#include <QStringList>

namespace vantrel::assetgen {
namespace {

// Throws nothing: every helper reports through a message string so that the
// parser can name the offending line.
struct LineReader
{
    QStringList words;
    QString error;

    bool count(int n)
    {
        if (words.size() - 1 != n) {
            error = QStringLiteral("'%1' takes %2 arguments, got %3")
                        .arg(words[0])
                        .arg(n)
                        .arg(words.size() - 1);
            return false;
        }
        return true;
    }

    bool number(int i, double &out)
    {
        bool ok = false;
        out = words[i].toDouble(&ok);
        if (!ok || out < -2000 || out > 2000) {
            error = QStringLiteral("'%1' is not a coordinate").arg(words[i]);
            return false;
        }
        return true;
    }

    bool colour(int i, QColor &out)
    {
        static const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
        if (!hex.match(words[i]).hasMatch()) {
            error = QStringLiteral("'%1' is not a #RRGGBB colour").arg(words[i]);
            return false;
        }
        out = QColor(words[i]);
        return true;
    }

    bool rect(int first, QRectF &out)
    {
        double v[4];
        for (int k = 0; k < 4; ++k)
            if (!number(first + k, v[k]))
                return false;
        if (v[2] <= 0 || v[3] <= 0) {
            error = QStringLiteral("width and height must be positive");
            return false;
        }
        out = QRectF(v[0], v[1], v[2], v[3]);
        return true;
    }

    bool segment(int first, Segment &out)
    {
        double v[4];
        for (int k = 0; k < 4; ++k)
            if (!number(first + k, v[k]))
                return false;
        out.from = QPointF(v[0], v[1]);
        out.to = QPointF(v[2], v[3]);
        return true;
    }

    // The rest of the line from word i on, for free text.
    QString rest(int i) const { return words.mid(i).join(QLatin1Char(' ')); }
};

bool parseLine(LineReader &r, MapSource &map)
{
    const QString key = r.words[0];
    if (key == QLatin1String("name")) {
        if (r.words.size() < 2) {
            r.error = QStringLiteral("'name' needs a text");
            return false;
        }
        map.name = r.rest(1);
        return true;
    }
    if (key == QLatin1String("seed")) {
        if (!r.count(1))
            return false;
        bool ok = false;
        map.seed = r.words[1].toUInt(&ok);
        if (!ok)
            r.error = QStringLiteral("'%1' is not a number").arg(r.words[1]);
        return ok;
    }
    if (key == QLatin1String("raised") || key == QLatin1String("material")) {
        const bool raised = key == QLatin1String("raised");
        if (!r.count(raised ? 2 : 3))
            return false;
        Material m;
        const int t = raised ? 1 : 2;
        if (!raised)
            m.id = r.words[1];
        if (!textureFromName(r.words[t], m.texture)) {
            r.error = QStringLiteral("unknown texture '%1'").arg(r.words[t]);
            return false;
        }
        if (!r.colour(t + 1, m.colour))
            return false;
        if (raised) {
            map.raised = m;
        } else {
            if (map.material(m.id)) {
                r.error = QStringLiteral("material '%1' defined twice").arg(m.id);
                return false;
            }
            map.materials.append(m);
        }
        return true;
    }
    if (key == QLatin1String("floor") || key == QLatin1String("poly")) {
        if (r.words.size() < 2 || !map.material(r.words[1])) {
            r.error = QStringLiteral("'%1' needs a material defined above it").arg(key);
            return false;
        }
        Floor f;
        f.material = r.words[1];
        if (key == QLatin1String("floor")) {
            QRectF rect;
            if (!r.count(5) || !r.rect(2, rect))
                return false;
            f.shape = QPolygonF(rect);
        } else {
            if (r.words.size() < 5) {
                r.error = QStringLiteral("'poly' needs at least three points");
                return false;
            }
            for (int i = 2; i < r.words.size(); ++i) {
                const QStringList xy = r.words[i].split(QLatin1Char(','));
                bool okX = false, okY = false;
                const double x = xy.size() == 2 ? xy[0].toDouble(&okX) : 0;
                const double y = xy.size() == 2 ? xy[1].toDouble(&okY) : 0;
                if (!okX || !okY) {
                    r.error = QStringLiteral("'%1' is not a point x,y").arg(r.words[i]);
                    return false;
                }
                f.shape << QPointF(x, y);
            }
        }
        map.floors.append(f);
        return true;
    }
    if (key == QLatin1String("block")) {
        QRectF rect;
        if (!r.count(4) || !r.rect(1, rect))
            return false;
        map.blocks.append(rect);
        return true;
    }
    if (key == QLatin1String("wall") || key == QLatin1String("rails")
        || key == QLatin1String("paint")) {
        const bool wall = key == QLatin1String("wall");
        const bool paint = key == QLatin1String("paint");
        Segment s;
        if (!r.count(wall || paint ? 5 : 4) || !r.segment(1, s))
            return false;
        if (wall) {
            if (!r.number(5, s.width))
                return false;
            if (s.width <= 0) {
                r.error = QStringLiteral("a wall needs a positive width");
                return false;
            }
            map.walls.append(s);
        } else if (paint) {
            if (!r.colour(5, s.colour))
                return false;
            map.paint.append(s);
        } else {
            map.rails.append(s);
        }
        return true;
    }
    if (key == QLatin1String("crate") || key == QLatin1String("container")) {
        const bool container = key == QLatin1String("container");
        Prop p;
        p.kind = container ? Prop::Container : Prop::Crate;
        if (!r.count(container ? 5 : 4) || !r.rect(1, p.rect))
            return false;
        if (container && !r.colour(5, p.colour))
            return false;
        map.props.append(p);
        return true;
    }
    if (key == QLatin1String("barrel") || key == QLatin1String("tree")) {
        Prop p;
        p.kind = key == QLatin1String("tree") ? Prop::Tree : Prop::Barrel;
        double x = 0, y = 0, radius = 0;
        if (!r.count(3) || !r.number(1, x) || !r.number(2, y) || !r.number(3, radius))
            return false;
        if (radius <= 0) {
            r.error = QStringLiteral("the radius must be positive");
            return false;
        }
        p.rect = QRectF(x - radius, y - radius, 2 * radius, 2 * radius);
        map.props.append(p);
        return true;
    }
    if (key == QLatin1String("stairs")) {
        Stairs s;
        if (!r.count(5) || !r.rect(1, s.rect))
            return false;
        s.direction = r.words[5];
        static const QStringList directions{QStringLiteral("up"), QStringLiteral("down"),
                                            QStringLiteral("left"), QStringLiteral("right")};
        if (!directions.contains(s.direction)) {
            r.error
                = QStringLiteral("stairs go up, down, left or right, not '%1'").arg(s.direction);
            return false;
        }
        map.stairs.append(s);
        return true;
    }
    if (key == QLatin1String("site") || key == QLatin1String("spawn")) {
        const bool site = key == QLatin1String("site");
        Zone z;
        if (!r.count(5) || !r.rect(2, z.rect))
            return false;
        z.tag = r.words[1];
        const QStringList allowed
            = site ? QStringList{QStringLiteral("A"), QStringLiteral("B")}
                   : QStringList{QStringLiteral("attack"), QStringLiteral("defence")};
        if (!allowed.contains(z.tag)) {
            r.error = QStringLiteral("'%1' is not one of %2")
                          .arg(z.tag, allowed.join(QLatin1Char('/')));
            return false;
        }
        (site ? map.sites : map.spawns).append(z);
        return true;
    }
    if (key == QLatin1String("label")) {
        Label l;
        double x = 0, y = 0;
        if (r.words.size() < 4) {
            r.error = QStringLiteral("'label' needs x, y and a text");
            return false;
        }
        if (!r.number(1, x) || !r.number(2, y))
            return false;
        l.at = QPointF(x, y);
        l.text = r.rest(3);
        map.labels.append(l);
        return true;
    }
    r.error = QStringLiteral("unknown keyword '%1'").arg(key);
    return false;
}

} // namespace

const Material *MapSource::material(const QString &id) const
{
    for (const Material &m : materials)
        if (m.id == id)
            return &m;
    return nullptr;
}

bool textureFromName(const QString &name, Texture &out)
{
    static const std::pair<const char *, Texture> names[] = {
        {"concrete", Texture::Concrete},
        {"tiles", Texture::Tiles},
        {"cobble", Texture::Cobble},
        {"planks", Texture::Planks},
        {"planks-v", Texture::PlanksVertical},
        {"sand", Texture::Sand},
        {"dirt", Texture::Dirt},
        {"grass", Texture::Grass},
        {"water", Texture::Water},
        {"metal", Texture::Metal},
    };
    for (const auto &[n, t] : names) {
        if (name == QLatin1String(n)) {
            out = t;
            return true;
        }
    }
    return false;
}

bool parseMapSource(const QString &text, MapSource &out, QString &error)
{
    MapSource map;
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        LineReader r{line.split(blanks, Qt::SkipEmptyParts), {}};
        if (!parseLine(r, map)) {
            error = QStringLiteral("line %1: %2").arg(n + 1).arg(r.error);
            return false;
        }
    }
    if (map.floors.isEmpty()) {
        error = QStringLiteral("the map has no floor");
        return false;
    }
    out = map;
    return true;
}

} // namespace vantrel::assetgen
