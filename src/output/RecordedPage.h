#pragma once

#include <QImage>
#include <QPicture>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace pulmora::output {

// A page recorded once as vectors by the same drawing code that makes its screen picture, in
// logical (screen) pixels, so it can be replayed at any resolution: on a printer the text
// stays text and lines stay sharp.
class RecordedPage {
public:
    using Drawing = std::function<void(QPainter&)>;

    // Records what `draw` paints on a page `size` logical pixels large. The drawing sets its
    // own fonts; anything it paints outside the page is cut off when the page is replayed.
    static RecordedPage record(QSize size, const Drawing& draw);
    // A page from a picture recorded elsewhere.
    RecordedPage(QSize size, const QPicture& picture);

    QSize size() const { return size_; }
    const QPicture& picture() const { return picture_; }

    // Why the page cannot be replayed (no size, recording failed), or empty when it can.
    QString fault() const;

    // Replays the page stretched into `target` (in the painter's coordinates), cut off at
    // its edges. False when the recorded picture cannot be read back.
    [[nodiscard]] bool replay(QPainter& painter, const QRectF& target) const;

    // The page at its own size on white: the picture that is saved or shown.
    // A null image when the page cannot be replayed.
    QImage toImage() const;

private:
    RecordedPage(QSize size, const QPicture& picture, bool recorded);

    QSize size_;
    QPicture picture_;
    bool recorded_ = true;
};

}  // namespace pulmora::output
