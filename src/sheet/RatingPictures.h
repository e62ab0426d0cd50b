#pragma once

#include <QRect>

class QPainter;

// The small pictures printed in the cells of a record sheet, showing what to mark by hand.
// Each is drawn as vectors inside the cell it is given, leaving the cell's own lines free.
namespace pulmora::sheet::rating {

enum class Kind {
    Symptom,   // by day and by night: "D" and "N" boxes
    Offsick,   // off work or school: "Y" and "N" boxes
    Activity,  // normal activity or sport restricted: "A" and "S" boxes
    Asthma     // the day's rating: a bad, an average and a good face, each over a box
};

void draw(QPainter& painter, Kind kind, const QRect& cell);

}  // namespace pulmora::sheet::rating
