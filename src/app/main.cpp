#include "Application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    pulmora::app::Application program;
    if (!program.start()) return 0;  // another copy runs and has been brought forward
    program.card().show();
    return qt.exec();
}
