#include "Application.h"
#include "StartupNotice.h"
#include "daily/TAsDly.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Taken before the toolkit starts: it takes the startup id for this copy's own first window,
    // and a second copy, which shows none, hands it to the first.
    const pulmora::app::StartupNotice notice = pulmora::app::StartupNotice::fromEnvironment();
    QApplication qt(argc, argv);
    // Lets the desktop match the windows to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PULMORA_APP_ID));
    pulmora::app::Application program;
    if (!program.start(notice)) return 0;  // another copy runs and has been brought forward
    program.card().show();
    return qt.exec();
}
