#pragma once

#include <QString>

namespace pulmora::app {

// Where the program finds its own files and keeps the diary, decided from the folder that holds
// its executable.
//
// The diary stays beside the program where it always was: in a folder of the program's own
// that its user may write (the layout the run script makes), and in any program folder that
// already holds record files, even one that can no longer be written (that diary then opens
// for reading only rather than being passed over for an empty one). An installed program, whose
// folder is shared with other programs and belongs to the system, keeps the diary in its user's
// own data folder instead, made for that user only; so does a program started inside a build
// tree, which a clean or a fresh build deletes, even where record files lie beside it.
class DiaryFolder {
public:
    enum class Place { BesideProgram, PerUser };

    // Decides for the program in `programFolder`; `userFolder` is the user's data folder for the
    // program. A per-user folder that is chosen and missing is made, with any missing parents,
    // for its owner only.
    static DiaryFolder choose(const QString& programFolder, const QString& userFolder = userDataFolder());
    // The platform's data folder for this program and user (for example ~/.local/share/Pulmora).
    static QString userDataFolder();

    // The folder, with a trailing '/'.
    const QString& path() const { return path_; }
    Place place() const { return place_; }
    // Why no diary can be kept there, as a phrase that names the folder; empty when one can.
    const QString& problem() const { return problem_; }

private:
    QString path_;
    Place place_ = Place::BesideProgram;
    QString problem_;
};

// The installed program's own data, share/pulmora beside the bin folder that holds it; empty
// when the program does not run from an installed tree.
QString installedDataFolder(const QString& programFolder);

// The help pages: the help folder beside the program where there is one (the run script's
// layout and the build tree), otherwise the installed one.
QString helpFolder(const QString& programFolder);

}  // namespace pulmora::app
