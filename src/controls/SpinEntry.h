#pragma once

#include <QWidget>

namespace pulmora::controls {

// What the two numeric entries share: the value rules, the mouse and key handling and the
// rounded cells they draw. A left press adds a step, a right press takes it away, and the value
// is clamped to MinValue..MaxValue rather than refused.
class SpinEntry : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int NoValue READ NoValue WRITE setNoValue)
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(bool BtnFrame READ BtnFrame WRITE setBtnFrame)

public:
    int NoValue() const { return value_; }
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    bool BtnFrame() const { return frame_; }
    bool pointerOver() const { return over_; }

    // Ends any typing in progress: the value set is the one shown.
    void setNoValue(int value);
    // Raises MaxValue first when it is below, then raises NoValue when it is below.
    void setMinValue(int value);
    // Lowers MinValue first when it is above, then lowers NoValue when it is above.
    void setMaxValue(int value);
    void setBtnFrame(bool frame) { frame_ = frame; }
    // The value as the user enters it: set, clamped, and the card told as it is of a press (a
    // left one for a value that did not fall).
    void enter(int value);
    // One step up (1) or down (-1), as the Up and Down keys take it.
    void step(int direction);

    QSize sizeHint() const override { return {20, 20}; }

signals:
    void mousePressed(Qt::MouseButton button);
    // The cards learn of a changed value here; keys raise it too.
    void mouseReleased(Qt::MouseButton button);
    void clicked();

protected:
    explicit SpinEntry(QWidget* parent);
    // How far a press at x changes the value.
    virtual int stepAt(int x) const = 0;
    // How far Up and Down change the value.
    virtual int keyStep() const { return 1; }
    // Ends what the keyboard has in progress before the value is changed another way; the value
    // typed so far already stands.
    virtual void finishTyping() {}
    // Stores the value, clamped, and repaints, leaving any typing in progress.
    void storeValue(int value);
    virtual void paintCells(QPainter& painter) = 0;
    // One rounded cell, filled in the Base colour and outlined in WindowText, with its text
    // centred in the Text colour.
    void paintCell(QPainter& painter, const QRect& cell, const QString& text) const;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void press(Qt::MouseButton button, int x);
    void change(int value, Qt::MouseButton as);
    // Stores a value already within range, repaints and tells assistive tools of a change.
    void holdValue(int value);
    void growToFont();

    int value_ = 0;
    int min_ = 0;
    int max_ = 0;
    bool frame_ = false;
    bool over_ = false;
};

}  // namespace pulmora::controls
