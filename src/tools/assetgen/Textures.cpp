#include "Textures.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace vantrel::assetgen {
namespace {

double centred(double v)
{
    return v - 0.5;
}

double concrete(int x, int y, quint32 s)
{
    double f
        = 1 + 0.12 * centred(fbm(x / 90.0, y / 90.0, s)) + 0.07 * centred(hashUnit(x, y, s + 1));
    if (fbm(x / 28.0, y / 28.0, s + 7) > 0.68)
        f *= 0.95; // stains
    if (x % 64 == 0 || y % 64 == 0)
        f *= 0.92; // slab seams
    return f;
}

double tiles(int x, int y, quint32 s)
{
    constexpr int size = 24;
    const int u = x % size, v = y % size;
    double f = 1 + 0.07 * centred(hashUnit(x / size, y / size, s + 3))
               + 0.05 * centred(hashUnit(x, y, s));
    f += 0.05 * centred(fbm(x / 110.0, y / 110.0, s + 9));
    if (u == 0 || v == 0)
        f *= 0.76;
    else if (u == 1 || v == 1)
        f *= 1.05;
    else if (u == size - 1 || v == size - 1)
        f *= 0.95;
    return f;
}

double cobble(int x, int y, quint32 s)
{
    constexpr double cell = 13.0;
    const int cx = static_cast<int>(x / cell), cy = static_cast<int>(y / cell);
    double d1 = 1e9, d2 = 1e9;
    int best = 0;
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int gx = cx + i, gy = cy + j;
            const double px = (gx + 0.15 + 0.7 * hashUnit(gx, gy, s + 11)) * cell;
            const double py = (gy + 0.15 + 0.7 * hashUnit(gx, gy, s + 12)) * cell;
            const double d = std::hypot(x - px, y - py);
            if (d < d1) {
                d2 = d1;
                d1 = d;
                best = static_cast<int>(hash3(gx, gy, s + 13) & 0xffff);
            } else if (d < d2) {
                d2 = d;
            }
        }
    }
    double f = 1 + 0.10 * ((best % 1000) / 1000.0 - 0.5) + 0.05 * centred(hashUnit(x, y, s));
    f *= 1.04 - 0.14 * std::min(1.0, d1 / cell);
    if (d2 - d1 < 1.8)
        f *= 0.68;
    return f;
}

double planks(int x, int y, quint32 s)
{
    constexpr int height = 10, length = 96;
    const int row = y / height;
    const int offset = static_cast<int>(hashUnit(row, 0, s + 21) * length);
    const int plank = (x + offset) / length;
    double f = 1 + 0.12 * centred(hashUnit(plank, row, s + 22));
    f += 0.12 * centred(fbm((x + offset * 7) / 60.0, y / 1.7, s + 23, 3));
    f += 0.03 * centred(hashUnit(x, y, s));
    if (y % height == 0)
        f *= 0.62;
    else if ((x + offset) % length == 0)
        f *= 0.7;
    return f;
}

double sand(int x, int y, quint32 s)
{
    double f = 1 + 0.16 * centred(fbm(x / 140.0, y / 140.0, s))
               + 0.07 * centred(fbm(x / 9.0, y / 9.0, s + 2));
    f += 0.07 * centred(hashUnit(x, y, s + 1));
    f += 0.025 * std::sin((x * 0.35 + y * 0.95) / 2.6 + 9 * fbm(x / 80.0, y / 80.0, s + 5));
    return f;
}

double dirt(int x, int y, quint32 s)
{
    double f
        = 1 + 0.24 * centred(fbm(x / 60.0, y / 60.0, s)) + 0.10 * centred(hashUnit(x, y, s + 1));
    if (hashUnit(x / 3, y / 3, s + 4) < 0.012)
        f *= 0.8; // pebbles
    return f;
}

double grass(int x, int y, quint32 s)
{
    return 1 + 0.28 * centred(fbm(x / 70.0, y / 70.0, s)) + 0.22 * centred(hashUnit(x, y, s + 1))
           + 0.08 * centred(fbm(x / 6.0, y / 6.0, s + 2));
}

double water(int x, int y, quint32 s)
{
    double f = 1 + 0.14 * centred(fbm(x / 110.0, y / 110.0, s));
    const double wave = std::sin(y / 3.0 + 6 * fbm(x / 60.0, y / 30.0, s + 3));
    if (wave > 0.93 && fbm(x / 40.0, y / 40.0, s + 4) > 0.55)
        f *= 1.18;
    return f + 0.02 * centred(hashUnit(x, y, s + 1));
}

double metal(int x, int y, quint32 s)
{
    constexpr int cell = 12;
    const int u = x % cell - cell / 2, v = y % cell - cell / 2;
    const bool flip = ((x / cell) + (y / cell)) % 2 != 0;
    const int along = flip ? u - v : u + v, across = flip ? u + v : u - v;
    double f
        = 1 + 0.07 * centred(fbm(x / 220.0, y / 3.0, s)) + 0.03 * centred(hashUnit(x, y, s + 1));
    if (std::abs(across) <= 1 && std::abs(along) <= 5)
        f *= across < 0 || (across == 0 && along < 0) ? 1.16 : 0.86;
    if (x % 96 == 0 || y % 96 == 0)
        f *= 0.78;
    return f;
}

} // namespace

QImage makeTexture(const Material &material, QSize size, quint32 seed, QRect area)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(material.colour);
    area = area.isNull() ? img.rect() : area.intersected(img.rect());
    const double r = material.colour.red(), g = material.colour.green(), b = material.colour.blue();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            double f = 1;
            double tint = 0; // shifts toward yellow-green for grass, cyan for water
            switch (material.texture) {
            case Texture::Concrete:
                f = concrete(x, y, seed);
                break;
            case Texture::Tiles:
                f = tiles(x, y, seed);
                break;
            case Texture::Cobble:
                f = cobble(x, y, seed);
                break;
            case Texture::Planks:
                f = planks(x, y, seed);
                break;
            case Texture::PlanksVertical:
                f = planks(y, x, seed);
                break;
            case Texture::Sand:
                f = sand(x, y, seed);
                break;
            case Texture::Dirt:
                f = dirt(x, y, seed);
                break;
            case Texture::Grass:
                f = grass(x, y, seed);
                tint = 0.12 * centred(fbm(x / 150.0, y / 150.0, seed + 30));
                break;
            case Texture::Water:
                f = water(x, y, seed);
                break;
            case Texture::Metal:
                f = metal(x, y, seed);
                break;
            }
            const auto clamp = [](double v) {
                return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
            };
            line[x] = qRgb(clamp(r * f * (1 + tint)), clamp(g * f), clamp(b * f * (1 - tint)));
        }
    }
    return img;
}

} // namespace vantrel::assetgen
