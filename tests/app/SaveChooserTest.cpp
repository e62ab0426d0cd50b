#include "app/SaveChooser.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace pulmora::test {
namespace {

// The chooser starts in the documents folder with the suggested name made fit for a file name;
// closing it chooses nothing.
TEST(SaveChooser, StartsInTheDocumentsFolderWithASafeName) {
    TempFolder home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path().string()));
    ASSERT_TRUE(QDir(QString::fromStdString(home.path().string())).mkdir("Documents"));
    QWidget owner;
    QString folder, name;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!chooser) return;
        folder = chooser->directory().absolutePath();
        if (auto* field = chooser->findChild<QLineEdit*>()) name = field->text();
        chooser->reject();
    });
    const QString chosen =
        app::chooseFileToSave(owner, {"Save Visit Pack as PDF", "Ann/B: visit pack.pdf", "PDF files (*.pdf)", "pdf"});
    qputenv("HOME", oldHome);
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(folder, QString::fromStdString((home.path() / "Documents").string()));
    EXPECT_EQ(name, "Ann_B_ visit pack.pdf");
}

}  // namespace
}  // namespace pulmora::test
