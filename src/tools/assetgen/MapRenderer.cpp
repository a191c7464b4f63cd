#include "MapRenderer.h"

#include "Noise.h"
#include "Textures.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vantrel::assetgen {
namespace {

const QSize kSize(OverviewWidth, OverviewHeight);

QPainterPath wallPath(const Segment &w)
{
    QPainterPath line(w.from);
    line.lineTo(w.to);
    QPainterPathStroker stroker;
    stroker.setWidth(w.width);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(line);
}

QPainterPath floorPath(const MapSource &map)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const Floor &f : map.floors)
        path.addPolygon(f.shape);
    return path;
}

QPainterPath raisedInsideFloor(const MapSource &map)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF &b : map.blocks)
        path.addRect(b);
    for (const Segment &w : map.walls)
        path.addPath(wallPath(w));
    return path;
}

// Where the ground is raised (walls, roofs, blocks): 1 there, 0 on walkable floor.
std::vector<float> raisedMask(const MapSource &map)
{
    QImage img(kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(floorPath(map));
    p.setBrush(Qt::white);
    p.drawPath(raisedInsideFloor(map));
    p.end();
    std::vector<float> mask(static_cast<size_t>(kSize.width() * kSize.height()));
    for (int y = 0; y < kSize.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < kSize.width(); ++x)
            mask[static_cast<size_t>(y * kSize.width() + x)] = qRed(line[x]) / 255.0f;
    }
    return mask;
}

// Separable box blur, repeated for a softer, nearly Gaussian falloff.
std::vector<float> blur(std::vector<float> v, int radius, int passes)
{
    const int w = kSize.width(), h = kSize.height();
    std::vector<float> tmp(v.size());
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < h; ++y) {
            float acc = 0;
            for (int k = -radius; k <= radius; ++k)
                acc += v[static_cast<size_t>(y * w + std::clamp(k, 0, w - 1))];
            for (int x = 0; x < w; ++x) {
                tmp[static_cast<size_t>(y * w + x)] = acc * norm;
                acc += v[static_cast<size_t>(y * w + std::min(x + radius + 1, w - 1))];
                acc -= v[static_cast<size_t>(y * w + std::max(x - radius, 0))];
            }
        }
        for (int x = 0; x < w; ++x) {
            float acc = 0;
            for (int k = -radius; k <= radius; ++k)
                acc += tmp[static_cast<size_t>(std::clamp(k, 0, h - 1) * w + x)];
            for (int y = 0; y < h; ++y) {
                v[static_cast<size_t>(y * w + x)] = acc * norm;
                acc += tmp[static_cast<size_t>(std::min(y + radius + 1, h - 1) * w + x)];
                acc -= tmp[static_cast<size_t>(std::max(y - radius, 0) * w + x)];
            }
        }
    }
    return v;
}

QRgb scaled(QRgb c, double f)
{
    const auto ch = [f](int v) {
        return std::clamp(static_cast<int>(v * f + 0.5), 0, 255);
    };
    return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

// Shadows cast by raised ground onto the floor, a light rim along the top of
// every wall edge and a dark line at its foot, and a soft vignette.
void shadeRelief(QImage &canvas, const std::vector<float> &mask)
{
    const int w = kSize.width(), h = kSize.height();
    const std::vector<float> soft = blur(mask, 3, 2);
    const std::vector<float> cast = blur(mask, 4, 2);
    const auto at = [&](const std::vector<float> &v, int x, int y) {
        return v[static_cast<size_t>(std::clamp(y, 0, h - 1) * w + std::clamp(x, 0, w - 1))];
    };
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(canvas.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float m = at(mask, x, y);
            double f = 1;
            if (m < 0.5f) {
                const double shadow = 0.55 * at(cast, x - 7, y - 8) + 0.25 * at(soft, x, y);
                f *= 1 - std::min(0.6, shadow) * (1 - m);
                const float nearRaised = std::max({at(mask, x - 1, y), at(mask, x + 1, y),
                                                   at(mask, x, y - 1), at(mask, x, y + 1)});
                if (nearRaised > 0.5f)
                    f *= 0.6;
            } else {
                const float near1 = std::min({at(mask, x - 1, y), at(mask, x + 1, y),
                                              at(mask, x, y - 1), at(mask, x, y + 1)});
                const float near2 = std::min({at(mask, x - 2, y), at(mask, x + 2, y),
                                              at(mask, x, y - 2), at(mask, x, y + 2)});
                if (near1 < 0.5f)
                    f *= 1.4;
                else if (near2 < 0.5f)
                    f *= 1.15;
                // Raised ground away from the floor sinks into the background.
                f *= 1 - 0.12 * at(soft, x, y);
            }
            const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
            f *= 1 - 0.16 * (dx * dx + dy * dy) / 2;
            if (f != 1)
                line[x] = scaled(line[x], f);
        }
    }
}

void drawDropShadow(QPainter &p, const QPainterPath &shape, QPointF offset, int strength)
{
    // Nine slightly shifted copies give a soft edge without any path arithmetic.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, strength / 6));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            p.drawPath(shape.translated(offset + QPointF(dx * 1.5, dy * 1.5)));
    p.restore();
}

void drawCrate(QPainter &p, QRectF r, quint32 seed)
{
    QPainterPath shape;
    shape.addRect(r);
    drawDropShadow(p, shape, QPointF(4, 5), 120);
    const double shade
        = 0.9 + 0.2 * hashUnit(static_cast<int>(r.x()), static_cast<int>(r.y()), seed);
    const QColor wood = QColor::fromRgbF(0.62 * shade, 0.45 * shade, 0.25 * shade);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, wood.lighter(118));
    g.setColorAt(1, wood.darker(112));
    p.setPen(QPen(wood.darker(190), 1.5));
    p.setBrush(g);
    p.drawRect(r.adjusted(0.75, 0.75, -0.75, -0.75));
    const double inset = std::min(r.width(), r.height()) > 20 ? 3.5 : 2.5;
    const QRectF inner = r.adjusted(inset, inset, -inset, -inset);
    p.setPen(QPen(wood.darker(150), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(inner);
    p.drawLine(inner.topLeft(), inner.bottomRight());
    if (std::min(r.width(), r.height()) > 20)
        p.drawLine(inner.topRight(), inner.bottomLeft());
    p.setPen(QPen(QColor(255, 235, 200, 70), 1));
    p.drawLine(r.topLeft() + QPointF(1.5, 1.5), r.topRight() + QPointF(-1.5, 1.5));
}

void drawContainer(QPainter &p, QRectF r, QColor colour)
{
    QPainterPath shape;
    shape.addRect(r);
    drawDropShadow(p, shape, QPointF(5, 6), 140);
    const bool horizontal = r.width() >= r.height();
    QLinearGradient g(horizontal ? r.topLeft() : r.topLeft(),
                      horizontal ? r.bottomLeft() : r.topRight());
    g.setColorAt(0, colour.lighter(125));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.darker(125));
    p.setPen(QPen(colour.darker(200), 1.5));
    p.setBrush(g);
    p.drawRect(r.adjusted(0.75, 0.75, -0.75, -0.75));
    p.setPen(QPen(colour.darker(140), 1));
    if (horizontal) {
        for (double x = r.left() + 4; x < r.right() - 3; x += 4)
            p.drawLine(QPointF(x, r.top() + 2), QPointF(x, r.bottom() - 2));
    } else {
        for (double y = r.top() + 4; y < r.bottom() - 3; y += 4)
            p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

void drawBarrel(QPainter &p, QRectF r)
{
    QPainterPath shape;
    shape.addEllipse(r);
    drawDropShadow(p, shape, QPointF(3, 4), 120);
    QRadialGradient g(r.center() - QPointF(r.width() * 0.2, r.height() * 0.2), r.width() * 0.7);
    g.setColorAt(0, QColor(150, 160, 170));
    g.setColorAt(1, QColor(70, 80, 92));
    p.setPen(QPen(QColor(40, 45, 52), 1.2));
    p.setBrush(g);
    p.drawEllipse(r.adjusted(0.6, 0.6, -0.6, -0.6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(50, 56, 64, 180), 1));
    const double in = r.width() * 0.22;
    p.drawEllipse(r.adjusted(in, in, -in, -in));
}

void drawTree(QPainter &p, QRectF r, quint32 seed)
{
    QPainterPath crown;
    const QPointF c = r.center();
    const double radius = r.width() / 2;
    crown.addEllipse(c, radius * 0.72, radius * 0.72);
    for (int i = 0; i < 7; ++i) {
        const double a = i * 2 * M_PI / 7 + hashUnit(i, 1, seed) * 0.6;
        const QPointF lobe = c + QPointF(std::cos(a), std::sin(a)) * radius * 0.5;
        const double lr = radius * (0.38 + 0.14 * hashUnit(i, 2, seed));
        crown.addEllipse(lobe, lr, lr);
    }
    crown = crown.simplified();
    drawDropShadow(p, crown, QPointF(7, 8), 150);
    QRadialGradient g(c - QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
    g.setColorAt(0, QColor(118, 156, 70));
    g.setColorAt(0.6, QColor(62, 104, 44));
    g.setColorAt(1, QColor(34, 66, 30));
    p.setPen(QPen(QColor(26, 48, 22), 1.2));
    p.setBrush(g);
    p.drawPath(crown);
}

void drawStairs(QPainter &p, const Stairs &s)
{
    const QRectF r = s.rect;
    const bool vertical
        = s.direction == QLatin1String("up") || s.direction == QLatin1String("down");
    // Treads get darker toward the low end so the slope reads at a glance.
    const QPointF low = s.direction == QLatin1String("up")     ? QPointF(0, r.bottom())
                        : s.direction == QLatin1String("down") ? QPointF(0, r.top())
                        : s.direction == QLatin1String("left") ? QPointF(r.right(), 0)
                                                               : QPointF(r.left(), 0);
    QLinearGradient g
        = vertical ? QLinearGradient(0, low.y(), 0, low.y() == r.top() ? r.bottom() : r.top())
                   : QLinearGradient(low.x(), 0, low.x() == r.left() ? r.right() : r.left(), 0);
    g.setColorAt(0, QColor(0, 0, 0, 90));
    g.setColorAt(1, QColor(255, 255, 255, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
    p.setPen(QPen(QColor(20, 20, 20, 110), 1));
    if (vertical) {
        for (double y = r.top() + 4; y < r.bottom(); y += 5)
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    } else {
        for (double x = r.left() + 4; x < r.right(); x += 5)
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
}

void drawRails(QPainter &p, const Segment &s)
{
    const QLineF line(s.from, s.to);
    const QPointF dir = (s.to - s.from) / line.length();
    const QPointF normal(-dir.y(), dir.x());
    p.setPen(QPen(QColor(88, 66, 48), 3, Qt::SolidLine, Qt::FlatCap));
    for (double t = 3; t < line.length(); t += 9) {
        const QPointF c = s.from + dir * t;
        p.drawLine(c - normal * 9, c + normal * 9);
    }
    for (int side : {-1, 1}) {
        const QPointF off = normal * (5.5 * side);
        p.setPen(QPen(QColor(60, 62, 66), 2.6, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(s.from + off, s.to + off);
        p.setPen(QPen(QColor(190, 195, 200), 1, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(s.from + off - normal * 0.5, s.to + off - normal * 0.5);
    }
}

QColor zoneColour(const Zone &z, bool site)
{
    if (site)
        return QColor(240, 150, 40);
    return z.tag == QLatin1String("attack") ? QColor(220, 70, 50) : QColor(60, 130, 230);
}

void drawZoneTint(QPainter &p, const Zone &z, bool site)
{
    const QColor c = zoneColour(z, site);
    QColor fill = c;
    fill.setAlpha(site ? 52 : 46);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRect(z.rect);
    QColor edge = c;
    edge.setAlpha(190);
    QPen pen(edge, 2, Qt::DashLine);
    pen.setDashPattern({4, 3});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(z.rect.adjusted(1, 1, -1, -1));
}

// Text with a dark halo so it stays readable on any floor.
void drawHaloText(QPainter &p, const QString &text, const QFont &font, QPointF centre, QColor fill,
                  double halo)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(centre - box.center());
    p.setPen(QPen(QColor(0, 0, 0, 185), halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
}

QFont boldFont(const QString &family, int pixels, double spacing = 0)
{
    QFont f(family);
    f.setBold(true);
    f.setPixelSize(pixels);
    f.setHintingPreference(QFont::PreferNoHinting);
    if (spacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

void drawSiteLetter(QPainter &p, const Zone &z, const QString &family)
{
    const int px
        = std::clamp(static_cast<int>(std::min(z.rect.width(), z.rect.height()) * 0.55), 34, 64);
    const QFont font = boldFont(family, px);
    QPainterPath path;
    path.addText(0, 0, font, z.tag);
    path.translate(z.rect.center() - path.boundingRect().center());
    drawDropShadow(p, path, QPointF(3, 4), 160);
    p.setPen(QPen(QColor(40, 22, 0, 230), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    QLinearGradient g(path.boundingRect().topLeft(), path.boundingRect().bottomLeft());
    g.setColorAt(0, QColor(255, 232, 150));
    g.setColorAt(1, QColor(250, 170, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
}

// The name plate goes into whichever corner covers the least floor.
void drawTitle(QPainter &p, const MapSource &map, const std::vector<float> &mask,
               const QString &family)
{
    if (map.name.isEmpty())
        return;
    const QFont font = boldFont(family, 15, 2.5);
    const QFontMetricsF fm(font);
    const QString text = map.name.toUpper();
    const QSizeF plate(fm.horizontalAdvance(text) + 26, 28);
    // Candidates run along the bottom edge, then the top edge below the strip;
    // the first one with the least floor under it wins.
    const double m = 10;
    QList<QRectF> candidates;
    for (const double y : {OverviewHeight - m - plate.height(), TopStrip + 6.0})
        for (double x = m; x + plate.width() + m <= OverviewWidth; x += 20)
            candidates << QRectF(QPointF(x, y), plate);
    candidates << QRectF(
        QPointF(OverviewWidth - m - plate.width(), OverviewHeight - m - plate.height()), plate);
    QRectF best = candidates.first();
    double bestFloor = 1e18;
    for (const QRectF &r : candidates) {
        double floor = 0;
        for (int y = static_cast<int>(r.top()); y < static_cast<int>(r.bottom()); ++y)
            for (int x = static_cast<int>(r.left()); x < static_cast<int>(r.right()); ++x)
                floor += 1 - mask[static_cast<size_t>(y * OverviewWidth + x)];
        if (floor < bestFloor - 1) {
            bestFloor = floor;
            best = r;
        }
    }
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(QColor(12, 14, 18, 190));
    p.drawRoundedRect(best.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 150, 40));
    p.drawRect(QRectF(best.left() + 8, best.top() + 7, 3, best.height() - 14));
    p.setFont(font);
    p.setPen(QColor(236, 236, 228));
    p.drawText(best.adjusted(15, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
}

} // namespace

QImage renderOverview(const MapSource &map, const QString &fontFamily)
{
    const QImage raised = makeTexture(map.raised, kSize, map.seed + 1000);
    QImage canvas = raised;
    QHash<QString, QImage> textures;
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (const Floor &f : map.floors) {
            if (!textures.contains(f.material)) {
                QRectF area;
                for (const Floor &other : map.floors)
                    if (other.material == f.material)
                        area |= other.shape.boundingRect();
                const Material *m = map.material(f.material);
                const auto index = static_cast<quint32>(m - map.materials.data());
                textures.insert(f.material,
                                makeTexture(*m, kSize, map.seed + 17 * index,
                                            area.toAlignedRect().adjusted(-2, -2, 2, 2)));
            }
            p.setBrush(QBrush(textures.value(f.material)));
            p.drawPolygon(f.shape);
        }
        const QPainterPath floor = floorPath(map);
        p.setClipPath(floor);
        for (const Segment &s : map.paint) {
            QColor c = s.colour;
            c.setAlpha(200);
            p.setPen(QPen(c, 3, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(s.from, s.to);
        }
        for (const Segment &s : map.rails)
            drawRails(p, s);
        for (const Stairs &s : map.stairs)
            drawStairs(p, s);
        for (const Zone &z : map.spawns)
            drawZoneTint(p, z, false);
        for (const Zone &z : map.sites)
            drawZoneTint(p, z, true);
        p.setClipping(false);
        // Blocks and walls share the texture of the raised ground around the floor.
        p.setPen(Qt::NoPen);
        p.setBrush(QBrush(raised));
        p.drawPath(raisedInsideFloor(map));
    }
    const std::vector<float> mask = raisedMask(map);
    shadeRelief(canvas, mask);

    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const Prop &prop : map.props) {
        switch (prop.kind) {
        case Prop::Crate:
            drawCrate(p, prop.rect, map.seed);
            break;
        case Prop::Container:
            drawContainer(p, prop.rect, prop.colour);
            break;
        case Prop::Barrel:
            drawBarrel(p, prop.rect);
            break;
        case Prop::Tree:
            drawTree(p, prop.rect, map.seed + static_cast<quint32>(prop.rect.x()));
            break;
        }
    }
    const QFont spawnFont = boldFont(fontFamily, 10, 1.2);
    for (const Zone &z : map.spawns) {
        const QString text = z.tag == QLatin1String("attack") ? QStringLiteral("ATTACK SPAWN")
                                                              : QStringLiteral("DEFENCE SPAWN");
        drawHaloText(p, text, spawnFont, z.rect.center(), zoneColour(z, false).lighter(160), 3.5);
    }
    const QFont labelFont = boldFont(fontFamily, 11, 0.4);
    for (const Label &l : map.labels)
        drawHaloText(p, l.text, labelFont, l.at, QColor(244, 242, 232), 3.5);
    for (const Zone &z : map.sites)
        drawSiteLetter(p, z, fontFamily);
    drawTitle(p, map, mask, fontFamily);
    p.end();
    return canvas.convertToFormat(QImage::Format_RGB32);
}

QStringList checkOverview(const MapSource &map)
{
    QStringList problems;
    const QRectF usable(0, TopStrip + 3, OverviewWidth, OverviewHeight - TopStrip - 3);
    for (const Floor &f : map.floors)
        if (!usable.contains(f.shape.boundingRect()))
            problems << QStringLiteral("a floor reaches into the title strip or off the picture");
    for (const Zone &z : map.sites + map.spawns)
        if (!usable.contains(z.rect))
            problems << QStringLiteral("zone '%1' reaches into the title strip or off the picture")
                            .arg(z.tag);
    for (const Label &l : map.labels)
        if (!usable.contains(l.at))
            problems << QStringLiteral("label '%1' lies outside the usable picture").arg(l.text);
    for (const QString &tag : {QStringLiteral("A"), QStringLiteral("B")})
        if (std::count_if(map.sites.begin(), map.sites.end(),
                          [&](const Zone &z) { return z.tag == tag; })
            != 1)
            problems << QStringLiteral("the map needs exactly one site %1").arg(tag);
    for (const QString &tag : {QStringLiteral("attack"), QStringLiteral("defence")})
        if (std::none_of(map.spawns.begin(), map.spawns.end(),
                         [&](const Zone &z) { return z.tag == tag; }))
            problems << QStringLiteral("the map has no %1 spawn").arg(tag);
    if (map.name.isEmpty())
        problems << QStringLiteral("the map has no name");
    return problems;
}

} // namespace vantrel::assetgen
