#pragma once

#include <QLabel>

namespace pulmora::controls {

// A window's one-line message area. It asks for the width of its whole text, so the window
// grows to show it, up to three quarters of the screen's width; a text longer than that is shown cut short
// with "…" and in full as the tooltip.
class MessageLine : public QLabel {
    Q_OBJECT
public:
    explicit MessageLine(const QString& text = {}, QWidget* parent = nullptr);

    // Whether the text is shown cut short.
    bool isElided() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int textWidth() const;
    int widestWanted() const;
};

// Marks a label as a window's message line, as every MessageLine is: screen readers see it as
// an alert named by its message, and hear each new message as the name changes.
void markAsMessageLine(QLabel& label);

}  // namespace pulmora::controls
