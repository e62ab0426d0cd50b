#pragma once

#include <QColor>
#include <QImage>

// The program's own glyph pictures, drawn as vector shapes so they stay sharp at any pixel
// density. Each is painted on olive, the colour the controls treat as transparent.
namespace pulmora::controls::glyphs {

enum class Kind {
    Save,
    Cancel,
    Help,
    Add,
    Delete,
    Previous,
    Next,
    PreviousYear,
    NextYear,
    Up,
    Down,
    Person,
    Report,
    Sheet,
    Menu,
    // the report card
    Weekly,
    Table,
    Additional,
    Graphs,
    Print,
    Picture,
    GraphStrip,
    Top,
    Bottom,
    Beginning,
    End,
    Control,
    Pack,
    Plan
};
enum class Look { Inactive, Active, Disabled };

// A square glyph of `size` logical pixels at the given device pixel ratio. On a valid
// `background` its ink is taken towards black or white where its own colour would not stand out
// enough there (a dark desktop, a coloured window); the disabled look keeps its grey.
QImage glyph(Kind kind, Look look, int size = 24, qreal pixelRatio = 1.0, const QColor& background = {});

// A switch picture strip: the off picture on the left half, the on picture on the right.
QImage switchStrip(const QColor& onColour, int size = 20, qreal pixelRatio = 1.0);

}  // namespace pulmora::controls::glyphs
