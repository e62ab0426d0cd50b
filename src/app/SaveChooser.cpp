#include "SaveChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStandardPaths>

namespace pulmora::app {

namespace {

QString documentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() || !QDir(folder).exists() ? QDir::homePath() : folder;
}

}  // namespace

QString chooseFileToSave(QWidget& owner, const SaveChoice& choice) {
    // A nickname may hold characters a file name cannot.
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QFileDialog chooser(&owner, choice.caption, documentsFolder(), choice.filter);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(choice.suffix);
    chooser.selectFile(QString(choice.suggestedName).replace(unsafe, QStringLiteral("_")));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
    return chooser.selectedFiles().first();
}

}  // namespace pulmora::app
