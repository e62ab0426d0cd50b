#include "Application.h"
#include "daily/TAsDly.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    // Lets the desktop match the windows to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PULMORA_APP_ID));
    pulmora::app::Application program;
    if (!program.start()) return 0;  // another copy runs and has been brought forward
    program.card().show();
    return qt.exec();
}
