// pulmora-sample [--persons N] [--years Y] [--seed S] [--long-names] FOLDER
// Writes a realistic sample diary into FOLDER. It never writes into a folder that already
// holds record files. With --long-names every name, medication and trigger is as long as the
// record files allow, and each person takes the ten medications a person may have in use.
#include "SampleDiary.h"

#include "store/Clock.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

int usage() {
    std::fprintf(stderr, "usage: pulmora-sample [--persons N] [--years Y] [--seed S] [--long-names] FOLDER\n");
    return 2;
}

bool holdsRecordFiles(const QString& folder) {
    pulmora::store::DiaryStore probe;
    probe.setFolder(folder);
    for (auto id : pulmora::store::kAllTables)
        if (QFileInfo::exists(probe.filePath(id))) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    pulmora::tools::SampleOptions options;
    options.lastDay = pulmora::store::clock::today();
    QString folder;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--persons" || a == "--years" || a == "--seed") {
            bool ok = false;
            const uint value = i + 1 < args.size() ? args[++i].toUInt(&ok) : 0;
            if (!ok || (value == 0 && a != "--seed")) return usage();
            if (a == "--persons") options.persons = int(value);
            if (a == "--years") options.years = int(value);
            if (a == "--seed") options.seed = value;
        } else if (a == "--long-names") {
            options.longNames = true;
        } else if (folder.isEmpty() && !a.startsWith("--")) {
            folder = a;
        } else {
            return usage();
        }
    }
    if (folder.isEmpty()) return usage();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "pulmora-sample: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    if (holdsRecordFiles(folder)) {
        std::fprintf(stderr, "pulmora-sample: %s already holds a diary; it is left as it is\n", qPrintable(folder));
        return 1;
    }

    pulmora::store::Diary diary;
    diary.files.setFolder(folder);
    diary.files.setWaitForDisk(false);  // a sample is written in one go; nothing is at stake
    diary.files.OpenDB();
    const QString error = pulmora::tools::SampleDiary(diary, options).write();
    diary.files.CloseDB();
    if (!error.isEmpty()) {
        std::fprintf(stderr, "pulmora-sample: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Wrote %d persons and %d years of days to %s\n", options.persons, options.years, qPrintable(folder));
    return 0;
}
