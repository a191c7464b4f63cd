#pragma once

#include "MapSource.h"

#include <QImage>

namespace vantrel::assetgen {

// A full-size, opaque image of one material's surface; the renderer clips it
// to the floor shapes that use the material. Only the pixels inside area are
// worked out (the rest is the plain colour), which keeps the generator quick.
QImage makeTexture(const Material &material, QSize size, quint32 seed, QRect area = QRect());

} // namespace vantrel::assetgen
