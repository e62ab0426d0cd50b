#include "TAsDB.h"

#include "IniRecord.h"
#include "daily/DayCalendar.h"
#include "daily/TAsDly.h"
#include "store/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>

#include <cmath>

namespace pulmora::app {
namespace {

#ifdef Q_OS_WIN
const char kExecutable[] = "pulmora.exe";
#else
const char kExecutable[] = "pulmora";
#endif

QString longDate(const QDate& date) { return QLocale(QLocale::English).toString(date, "d MMMM yyyy"); }

}  // namespace

TAsDB::TAsDB(store::Diary& diary, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      diary_(diary) {
    setWindowTitle("DB Monitor");
    QFont arial("Arial");
    arial.setPointSize(8);
    setFont(arial);
    setFixedSize(273, 304);
    move(0, 0);
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(palette().color(QPalette::Window));
    // The monitor follows every change; a mere read moves a cursor, which matters only to a
    // monitor someone can see.
    connect(&diary_.files, &store::DiaryStore::opened, this, [this] {
        monitor_.drawn = false;
        if (diary_.files.allOpen()) ShowFState();
    });
    connect(&diary_.files, &store::DiaryStore::tableChanged, this, &TAsDB::ShowFState);
    connect(&diary_.files, &store::DiaryStore::tableRead, this, [this] {
        if (isVisible()) ShowFState();
    });
}

void TAsDB::openReadOnly(const QString& reason) {
    access_ = store::Access::ReadOnly;
    diary_.files.setReadOnlyReason(reason);
}

QString TAsDB::programFolder() const {
    const QString folder = programFolder_.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder_;
    return QDir(folder).absolutePath() + QLatin1Char('/');
}

bool TAsDB::ChkFiles() {
    diaryFolder_ = DiaryFolder::choose(programFolder());
    return filesProblem().isEmpty();
}

QString TAsDB::filesProblem() const {
    const QString program = programFolder();
    if (!QFileInfo::exists(program + kExecutable))
        return QStringLiteral("The program folder %1 does not hold the program").arg(QDir::toNativeSeparators(program));
    return diaryFolder_.problem();
}

void TAsDB::AsthmaStart(daily::TAsDly& card) {
    diary_.files.CloseDB();
    if (!ChkFiles()) {
        hide();
        card.selectPerson(std::nullopt);
        card.CalDateChange();
        card.setInfo(QStringLiteral("ERROR: %1, so no diary was opened.").arg(filesProblem()));
        return;
    }
    StartDiary(card);
}

void TAsDB::StartDiary(daily::TAsDly& card) {
    diary_.files.setFolder(ProgDir());
    {
        // The load below is the one for today; the calendar's own report would load it twice.
        const QSignalBlocker quiet(card.Cal);
        card.Cal->setSelectedDate(store::clock::today());
    }
    startNotices_.clear();
    diary_.files.OpenDB(access_ == store::Access::ReadWrite ? prepareFiles(startNotices_) : access_);
    card.selectPerson(diary_.persons.GetPerDly(store::Persons::Step::First));
    card.CalDateChange();
    card.setInfo("Welcome to the Pulmora");
    card.showFileProblems(startNotices_);
}

store::Backups TAsDB::backups() const { return store::Backups(ProgDir(), {IniRecord::kFileName}); }

store::Access TAsDB::prepareFiles(QStringList& notices) {
    store::Backups diaryBackups = backups();
    // Half of the files would be the backup's and half the replaced ones: such a diary is not
    // written to until the restore is finished.
    const store::Outcome<store::SetAsideRestore> finished = diaryBackups.finishRestore();
    if (!finished) {
        diary_.files.setReadOnlyReason("a restore from a backup could not be finished: " + finished.error());
        return store::Access::ReadOnly;
    }
    if (!finished.value.movedTo.isEmpty())
        notices << QStringLiteral("An unfinished restore from a backup was not used, as %1; the diary was kept as it "
                                  "was and the restore moved to %2.")
                       .arg(finished.value.found, QDir::toNativeSeparators(finished.value.movedTo));
    if (const store::Result backedUp = diaryBackups.backUpDaily(); !backedUp)
        notices << QStringLiteral("Today's backup of the diary could not be made (%1). The diary has opened as usual.")
                       .arg(backedUp.error());
    return store::Access::ReadWrite;
}

void TAsDB::RestoreBackup(const store::Backup& backup, daily::TAsDly& card) {
    diary_.files.CloseDB();
    const store::Outcome<QString> restored = backups().restore(backup.name);
    AsthmaStart(card);
    const QString day = longDate(backup.date);
    if (!restored) {
        card.showFileProblems(
            QStringList{QStringLiteral("The diary could not be restored from the backup of %1 (%2).").arg(day, restored.error())} +
            startNotices_);
        return;
    }
    // Named by their folders, the backup restored and the one that keeps the replaced diary
    // cannot be taken for each other, even when both are of the same day.
    const QString backupsFolder = QFileInfo(backups().folder()).fileName();
    const auto folderOf = [&](const QString& name) { return QDir::toNativeSeparators(backupsFolder + '/' + name); };
    const QString done =
        QStringLiteral("Restored the backup of %1 (%2).").arg(day, folderOf(backup.name)) +
        (restored.value.isEmpty() ? QString()
                                  : QStringLiteral(" The diary it replaced is kept in %1.").arg(folderOf(restored.value)));
    const QString problems = card.problemsText(startNotices_);
    card.setInfo(problems.isEmpty() ? done : done + ' ' + problems);
}

void TAsDB::AsthmaClose() {
    diary_.files.CloseDB();
    close();
}

QString TAsDB::statusText(const store::TablePosition& position) {
    if (!position.open) return QStringLiteral("File Not Open");
    const int percent = int(std::trunc(position.fraction * 100.0));
    return QStringLiteral("%1:%2%:%3").arg(position.record).arg(percent).arg(position.count);
}

void TAsDB::showMessage(const QString& message) {
    message_ = message;
    draw();
}

void TAsDB::ShowFState() {
    monitor_.personal = statusText(diary_.files.position(store::TableId::Personal));
    monitor_.daily = statusText(diary_.files.position(store::TableId::Daily));
    monitor_.drawn = true;
    draw();
}

// The monitor picture: the status of the person and day files, in a frame sized to the font,
// and below it the card's latest message, for which the window grows when it is long.
void TAsDB::draw() {
    const QFontMetrics metrics(font());
    const int w = metrics.horizontalAdvance(QLatin1Char('M'));
    const int h = metrics.height() + 2;
    const QRect messageArea(w, 13 * h, 26 * w, 0);
    const int messageHeight =
        metrics.boundingRect(messageArea.adjusted(0, 0, 0, 1000 * h), Qt::TextWordWrap, message_).height();
    setFixedSize(28 * w, std::max(16 * h, messageArea.top() + messageHeight + h));
    image_ = QImage(size(), QImage::Format_RGB32);
    QPainter p(&image_);
    const QColor window = palette().color(QPalette::Window);
    p.fillRect(image_.rect(), window);

    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(palette().color(QPalette::WindowText));
    auto text = [&](int x, int y, const QString& s) { p.drawText(QPoint(x, y + metrics.ascent()), s); };
    text(w, h / 2, "Static File Status");
    text(w, h / 2 + 6 * h, "Dynamic File Status");
    p.setBrush(palette().color(QPalette::Base));
    p.drawRect(QRect(QPoint(w, 2 * h - h / 3), QPoint(width() - w, 6 * h + h / 4)));
    p.drawRect(QRect(QPoint(w, 8 * h - h / 3), QPoint(width() - w, 12 * h + h / 4)));

    p.setFont(font());
    const struct {
        int row;
        const char* label;
        QString value;
    } rows[] = {{2, "Personal", monitor_.personal}, {3, "Triggers", "N/A"}, {4, "Medication", "N/A"},
                {5, "Banding", "N/A"},         {8, "Dly", monitor_.daily},    {9, "Triggers", "N/A"},
                {10, "Medication", "N/A"},     {11, "Events", "N/A"}};
    for (const auto& r : rows) {
        text(2 * w, r.row * h, r.label);
        text(12 * w, r.row * h, r.value);
    }
    p.drawText(messageArea.adjusted(0, 0, 0, messageHeight), Qt::TextWordWrap, message_);
    update();
}

void TAsDB::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

}  // namespace pulmora::app
