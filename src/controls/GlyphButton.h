#pragma once

#include "TDaButton.h"
#include "pictures/Glyphs.h"

namespace pulmora::controls {

// A picture button of the given size showing one of the program's glyphs, in its resting,
// active and disabled looks, with the hint as its tooltip and accessible name.
TDaButton* glyphButton(QWidget* parent, glyphs::Kind kind, const QString& hint, const QSize& size);

}  // namespace pulmora::controls
