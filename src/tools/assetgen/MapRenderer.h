#pragma once

#include "MapSource.h"

#include <QImage>

namespace vantrel::assetgen {

// Overviews are shown unscaled on the 799 x 585 pixel strat window.
inline constexpr int OverviewWidth = 799;
inline constexpr int OverviewHeight = 585;
// The strat window lays its title strip over the top of the picture.
inline constexpr int TopStrip = 17;

// Draws one overview. fontFamily names the (bold) font for letters and labels.
QImage renderOverview(const MapSource &map, const QString &fontFamily);

// Complaints about a map that parses but would not work as an overview, such
// as floor under the title strip or a missing site; empty when it is fine.
QStringList checkOverview(const MapSource &map);

} // namespace vantrel::assetgen
