#pragma once

#include "output/PictureFile.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTreeView;

namespace pulmora::controls {
class TDaButton;
}

namespace pulmora::reports {

// "Save Report": where and under which name the report or graph on show is saved, as a JPEG
// or a bitmap picture. A folder tree stands for the drives and folders, the file list shows
// the pictures of the chosen kind already in the chosen folder. The program opens it modally
// for the report card.
class TAsJpeg : public QDialog {
    Q_OBJECT
public:
    // Makes the picture to save when the user saves, or a null image when it cannot be made.
    using PictureSource = std::function<QImage()>;

    explicit TAsJpeg(QWidget* parent = nullptr);
    ~TAsJpeg() override;

    // What is saved, and the folder the window starts in.
    void Open(PictureSource picture, const QString& folder = startingFolder());

    // The change handler of the name, the folder tree and both kinds, and the double-click
    // handler of the file list.
    void ControlBlock(QObject* sender);
    // Saves the picture at the target and closes; a failure is told in the header and the
    // window stays open.
    void SaveImage();

    // The user's pictures folder, or the home folder when there is none.
    static QString picturesFolder();
    // Where the window starts: the folder a picture was last saved in during this run, at first
    // the pictures folder.
    static QString startingFolder();
    // The file the picture was saved as; empty until it was.
    const QString& savedAs() const { return savedAs_; }
    // The folder chosen in the tree.
    QString folder() const { return folder_; }
    // Shows the folder in the tree, which lists its pictures.
    void setFolder(const QString& folder);
    output::PictureKind kind() const;

    QLabel* PanHd;
    controls::TDaButton *BtnSave, *BtnCancel;
    QLineEdit* FldFileName;
    QRadioButton *SaveAsJpeg, *SaveAsBmp;
    QTreeView* FlDirectory;
    QListWidget* FlNames;
    QLineEdit* LabLocation;  // the target path, or why there is none yet

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void listPictures();
    void showFolderInTree();

    QFileSystemModel* folders_;
    QString folder_;
    // The tree keeps the folder in view as folders are read, until the user moves about it.
    bool followFolder_ = true;
    PictureSource picture_;
    QString savedAs_;
};

}  // namespace pulmora::reports
