#pragma once

#include "StartupNotice.h"

#include <QObject>
#include <QString>

class QLocalServer;

namespace pulmora::app {

// Keeps a second copy of the program away from the diary. The first copy holds a lock on a
// file in the program folder, which the operating system releases when the process ends, even
// by a crash; a second copy finds the lock taken, asks the first through a local socket to
// bring its window forward, and ends without opening any record file. A copy that cannot take the
// lock for any other reason (a read-only folder, something in the lock's place) cannot know
// whether it is alone; it is told why, and must not write the diary.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Whether another copy runs; when none does, this copy takes the lock for the rest of its run.
    // When the lock cannot be taken for another reason the answer is no and lockProblem() says why.
    bool ChkOtherCopy();
    // Why this copy could not take the lock although no other copy holds it; empty otherwise.
    const QString& lockProblem() const { return problem_; }
    // When another copy runs, asks it to show its window, under the desktop's notice of this
    // start when there is one, and answers yes.
    bool ShowOtherCopy(const StartupNotice& notice = {});
    // The first copy listens for later copies' requests.
    void listen();

signals:
    // A later copy asks for the window, under the notice of its start (none from a copy that
    // had none).
    void showRequested(const pulmora::app::StartupNotice& notice);

private:
    QString serverName() const;

    QString folder_;
    QString problem_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
};

}  // namespace pulmora::app
