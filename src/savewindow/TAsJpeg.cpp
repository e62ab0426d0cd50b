#include "TAsJpeg.h"

#include "controls/GlyphButton.h"
#include "controls/MessageLine.h"
#include "controls/TDaButton.h"

#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTreeView>

namespace pulmora::reports {
namespace {

using controls::TDaButton;
namespace glyphs = controls::glyphs;

const QString kHeader = QStringLiteral("Select Location and Required File Name");
const QString kNoFileName = QStringLiteral("No File Name Specified Yet!");
const QString kNameMissing = QStringLiteral("You must specify a file name!");
const QString kUnableToSave = QStringLiteral("Error: Unable to Save Report?!");

// The size the window opens at.
constexpr int kOpeningWidth = 342, kOpeningHeight = 294;

// The folder a picture was last saved in during this run; empty until one was.
QString& lastFolderUsed() {
    static QString folder;
    return folder;
}

QFont windowFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);  // Arial 8
    return font;
}

}  // namespace

TAsJpeg::TAsJpeg(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint) {
    setWindowTitle("Save Report");
    setModal(true);
    setFont(windowFont());
    createControls();
    layOut();
    resize(kOpeningWidth, kOpeningHeight);

    connect(BtnSave, &TDaButton::clicked, this, &TAsJpeg::SaveImage);
    connect(BtnCancel, &TDaButton::clicked, this, &QDialog::reject);  // BtnCancelClick
    connect(FldFileName, &QLineEdit::textEdited, this, [this] { ControlBlock(FldFileName); });
    // The choice is followed however it is made: a click, a key or an assistive tool's action.
    // Either button's change changes both, so one of them is heard.
    connect(SaveAsJpeg, &QRadioButton::toggled, this, [this] { ControlBlock(SaveAsJpeg); });
    connect(FlNames, &QListWidget::itemDoubleClicked, this, [this] { ControlBlock(FlNames); });
    // The tree learns of a folder's subfolders only once they are read, and those read later go
    // in above the chosen folder and push it down: it is brought back into view each time, until
    // the user moves about the tree.
    const auto follow = [this] {
        if (followFolder_) showFolderInTree();
    };
    connect(folders_, &QAbstractItemModel::rowsInserted, this, follow);
    connect(folders_, &QAbstractItemModel::layoutChanged, this, follow);
    for (QObject* input : {static_cast<QObject*>(FlDirectory), static_cast<QObject*>(FlDirectory->viewport())})
        input->installEventFilter(this);
    for (QScrollBar* bar : {FlDirectory->horizontalScrollBar(), FlDirectory->verticalScrollBar()})
        connect(bar, &QScrollBar::actionTriggered, this, [this] { followFolder_ = false; });
    connect(FlDirectory->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const QString chosen = folders_->filePath(current);
                if (chosen.isEmpty() || chosen == folder_) return;
                folder_ = chosen;
                ControlBlock(FlDirectory);
            });
}

TAsJpeg::~TAsJpeg() = default;

void TAsJpeg::createControls() {
    PanHd = new QLabel(kHeader, this);
    controls::markAsMessageLine(*PanHd);
    QFont bold = font();
    bold.setBold(true);
    PanHd->setFont(bold);
    PanHd->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanHd->setWordWrap(true);
    BtnSave = controls::glyphButton(this, glyphs::Kind::Save, "Save Report", {28, 28});
    BtnCancel = controls::glyphButton(this, glyphs::Kind::Cancel, "Close without Saving", {28, 28});

    FldFileName = new QLineEdit(this);
    FldFileName->setAccessibleName("File Name");
    SaveAsJpeg = new QRadioButton("JPEG", this);
    SaveAsBmp = new QRadioButton("BMP", this);
    SaveAsJpeg->setChecked(true);

    // Folders only; the pictures in the chosen one are listed beside the tree.
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    folders_->setRootPath(QDir::rootPath());
    FlDirectory = new QTreeView(this);
    FlDirectory->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column) FlDirectory->hideColumn(column);
    FlDirectory->header()->hide();
    // Deep folders keep their names whole: a narrow step in, and the tree scrolls sideways rather
    // than cut a name short.
    FlDirectory->setIndentation(12);
    FlDirectory->header()->setStretchLastSection(false);
    FlDirectory->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FlDirectory->setAccessibleName("Folder");
    FlNames = new QListWidget(this);
    FlNames->setAccessibleName("Pictures in the folder");

    // A read-only line rather than a label, so a long path can be scrolled to its end.
    LabLocation = new QLineEdit(kNoFileName, this);
    LabLocation->setReadOnly(true);
    LabLocation->setFrame(false);
    LabLocation->setAccessibleName("Save to");
}

void TAsJpeg::layOut() {
    auto* head = new QHBoxLayout;
    head->addWidget(PanHd, 1);
    head->addWidget(BtnSave);
    head->addWidget(BtnCancel);

    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel("File Name", this));
    name->addWidget(FldFileName, 1);
    name->addSpacing(6);
    name->addWidget(SaveAsJpeg);
    name->addWidget(SaveAsBmp);

    auto* lists = new QHBoxLayout;
    lists->addWidget(FlDirectory, 3);
    lists->addWidget(FlNames, 2);

    auto* location = new QHBoxLayout;
    location->addWidget(new QLabel("Save to:", this));
    location->addWidget(LabLocation, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    column->addLayout(head);
    column->addLayout(name);
    column->addLayout(lists, 1);
    column->addLayout(location);
}

QString TAsJpeg::picturesFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

QString TAsJpeg::startingFolder() {
    const QString& last = lastFolderUsed();
    return !last.isEmpty() && QDir(last).exists() ? last : picturesFolder();
}

void TAsJpeg::Open(PictureSource picture, const QString& folder) {
    picture_ = std::move(picture);
    savedAs_.clear();
    FldFileName->clear();
    {
        const QSignalBlocker quiet(SaveAsJpeg);  // the folder is listed next
        SaveAsJpeg->setChecked(true);
    }
    setFolder(folder);
}

void TAsJpeg::setFolder(const QString& folder) {
    folder_ = QDir(folder).absolutePath();
    showFolderInTree();
    ControlBlock(FlDirectory);
}

// The chosen folder highlighted in the tree, the folders above it open, and scrolled into view.
void TAsJpeg::showFolderInTree() {
    const QModelIndex node = folders_->index(folder_);
    if (!node.isValid()) return;
    if (FlDirectory->currentIndex() != node) FlDirectory->setCurrentIndex(node);
    FlDirectory->scrollTo(node, QAbstractItemView::PositionAtCenter);
    // Centred sideways, a column widened by a long name elsewhere would hide the start of this
    // one: the view starts a step before the folder's name, wherever the column ends.
    QScrollBar* sideways = FlDirectory->horizontalScrollBar();
    sideways->setValue(sideways->value() + FlDirectory->visualRect(node).left() - FlDirectory->indentation());
}

bool TAsJpeg::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::KeyPress: followFolder_ = false; break;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

void TAsJpeg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    showFolderInTree();  // laid out now, the tree can scroll
}

output::PictureKind TAsJpeg::kind() const {
    return SaveAsJpeg->isChecked() ? output::PictureKind::Jpeg : output::PictureKind::Bitmap;
}

void TAsJpeg::ControlBlock(QObject* sender) {
    // Whatever changed may have mended what an error in the header was about.
    PanHd->setText(kHeader);
    PanHd->setToolTip({});
    if (sender == FlNames)
        if (const QListWidgetItem* chosen = FlNames->currentItem()) FldFileName->setText(chosen->text());
    // A new folder or kind lists its pictures again; the target follows every change.
    if (sender != FldFileName) listPictures();
    const QString name = FldFileName->text();
    LabLocation->setText(name.trimmed().isEmpty() ? kNoFileName : output::pictureTargetPath(folder_, name, kind()));
}

void TAsJpeg::listPictures() {
    FlNames->clear();
    const QStringList mask{"*." + output::pictureExtension(kind())};  // matched whatever the case
    FlNames->addItems(QDir(folder_).entryList(mask, QDir::Files, QDir::Name));
}

void TAsJpeg::SaveImage() {
    if (FldFileName->text().trimmed().isEmpty()) {
        PanHd->setText(kNameMissing);
        return;
    }
    const QString target = output::pictureTargetPath(folder_, FldFileName->text(), kind());
    const output::WriteResult saved = output::savePicture(picture_ ? picture_() : QImage(), target, kind());
    if (!saved.ok()) {
        QString why = saved.reason();
        if (!why.isEmpty()) why[0] = why[0].toUpper();  // a sentence of its own after the question marks
        PanHd->setText(kUnableToSave + QLatin1Char(' ') + why);
        PanHd->setToolTip(saved.error());  // the whole of it, with the file's name
        return;
    }
    savedAs_ = target;
    lastFolderUsed() = folder_;
    accept();
}

}  // namespace pulmora::reports
