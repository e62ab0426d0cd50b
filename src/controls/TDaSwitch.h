#pragma once

#include <QImage>
#include <QWidget>

namespace pulmora::controls {

// An on/off picture switch, drawn on its parent's background. Its picture is a strip of two
// halves: off on the left, on on the right. Switches of one parent with the same positive GroupIndex form a group in
// which at most one is on.
class TDaSwitch : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool BtnState READ BtnState WRITE setBtnState)
    Q_PROPERTY(bool BtnFrame READ BtnFrame WRITE setBtnFrame)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    explicit TDaSwitch(QWidget* parent = nullptr);

    int GroupIndex() const { return group_; }
    void setGroupIndex(int index) { group_ = index; }
    const QImage& BtnImage() const { return image_; }
    void setBtnImage(const QImage& strip);
    bool BtnState() const { return state_; }
    // Sets the state alone: no event, the group is left as it is.
    void setBtnState(bool on);
    bool BtnFrame() const { return frame_; }
    void setBtnFrame(bool frame) { frame_ = frame; }
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool pointerOver() const { return over_; }

    // Turns the rest of the group off, then sets this switch; raises no event. Shows a stored
    // choice, such as the day's rating.
    void SetGroupState(bool on);
    // As a click does: turns the rest of the group off, toggles this switch and raises clicked.
    void click();

    QSize sizeHint() const override { return {20, 20}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void turnGroupOff();
    static QImage disabledLook(const QImage& picture);

    int group_ = 0;
    QImage image_;
    QImage transparent_;
    QImage disabled_;
    bool state_ = false;
    bool frame_ = false;
    QString caption_;
    bool over_ = false;
};

}  // namespace pulmora::controls
