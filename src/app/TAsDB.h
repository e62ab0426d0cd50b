#pragma once

#include "store/Diary.h"

#include <QImage>
#include <QWidget>

namespace pulmora::app {

// The store window's face, the file-status monitor ("DB Monitor"): hidden, yet redrawn whenever
// the store reports a change so that it is right whenever it is shown. The diary itself is
// opened and closed by DiaryLife.
class TAsDB : public QWidget {
    Q_OBJECT
public:
    explicit TAsDB(store::Diary& diary, QWidget* parent = nullptr);

    // What the monitor shows: the status texts of the person and day files.
    struct MonitorState {
        QString personal;
        QString daily;
        bool drawn = false;  // first drawn once every file has opened
    };
    // Recomputes the status texts and redraws the monitor picture.
    void ShowFState();
    // The monitor also shows the card's latest message whole, however long it is.
    void showMessage(const QString& message);
    const QString& message() const { return message_; }
    const QImage& Image1() const { return image_; }
    const MonitorState& monitor() const { return monitor_; }
    // "File Not Open", or record number, position percentage and record count: "12:75%:16".
    static QString statusText(const store::TablePosition& position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw();

    store::Diary& diary_;
    QString message_;
    QImage image_;
    MonitorState monitor_;
};

}  // namespace pulmora::app
