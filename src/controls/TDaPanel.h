#pragma once

#include <QImage>
#include <QWidget>

namespace pulmora::controls {

// A caption banner with a marker that turns while the pointer is over it; it widens itself to
// its caption so a long name always fits, up to its maximum width: a caption longer than that
// is shown cut short with "…", the marker after it, and in full as the tooltip. The daily card
// shows the person's nickname in it.
class TDaPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool PanState READ PanState WRITE setPanState)
    Q_PROPERTY(bool PanFrame READ PanFrame WRITE setPanFrame)

public:
    explicit TDaPanel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    const QImage& PanImage() const { return image_; }
    void setPanImage(const QImage& image);
    bool PanState() const { return state_; }
    void setPanState(bool over);
    bool PanFrame() const { return frame_; }
    void setPanFrame(bool frame) { frame_ = frame; }

    // As a click does: raises clicked, unless the banner is disabled.
    void click();

    QSize sizeHint() const override;
    // Left edge, top and size of the marker triangle.
    QRect markerRect() const;
    // The caption as drawn: whole, or cut short to fit the maximum width.
    QString shownCaption() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void fitToCaption();
    int captionWidth() const;
    int shownWidth() const;

    QString caption_;
    QImage image_;
    bool state_ = false;
    bool frame_ = false;
};

}  // namespace pulmora::controls
