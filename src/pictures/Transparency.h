#pragma once

#include <QColor>
#include <QImage>

namespace pulmora::controls {

// The colour the glyph pictures treat as transparent unless a control says otherwise.
inline const QColor kOlive(128, 128, 0);

// The picture with every pixel of the key colour made fully transparent.
QImage withTransparentKey(const QImage& picture, const QColor& key);

}  // namespace pulmora::controls
