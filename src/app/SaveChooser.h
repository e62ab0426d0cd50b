#pragma once

#include <QString>

class QWidget;

namespace pulmora::app {

// What the chooser for a file to save needs to know.
struct SaveChoice {
    QString caption;
    QString suggestedName;  // any character a file name cannot hold becomes "_"
    QString filter;         // for example "PDF files (*.pdf)"
    QString suffix;         // added to a name typed without one
};

// Asks where to save a file, starting in the documents folder (the home folder where there is
// none); the chosen path, or empty when the user closed the chooser.
QString chooseFileToSave(QWidget& owner, const SaveChoice& choice);

}  // namespace pulmora::app
