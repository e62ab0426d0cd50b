#pragma once

#include <QColor>

// The colours the report pictures and the graphs are drawn in: the same zone green, yellow and
// red, the same navy for the evening and the same maroon, wherever a report shows them.
namespace pulmora::palette {

inline const QColor kGreen(0, 128, 0);
inline const QColor kOlive(128, 128, 0);
inline const QColor kYellow(255, 255, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kSilver(192, 192, 192);
inline const QColor kGrey(128, 128, 128);
inline const QColor kLime(0, 255, 0);
inline const QColor kMaroon(128, 0, 0);

}  // namespace pulmora::palette
