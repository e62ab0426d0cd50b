#pragma once

#include "programfiles/ProgramFiles.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <optional>

namespace pulmora::app {

// pulmora.ini: despite its name one binary record of 168 bytes, integers little-endian. The
// first 40 bytes are reserved and written back exactly as read.
class IniRecord {
public:
    static constexpr int kSize = 168;
    // Its name in the diary folder.
    static inline const QString kFileName = program_files::kSettings;

    // IniDefaults: reserved bytes zero, main window at 0,0, the folder text, report window
    // maximised with no stored placement.
    static IniRecord defaults(const QString& programFolder);
    // ReadIni: the record in the file; none when the file is missing, short, unreadable, not a
    // plain file, or a symbolic link (a link is never followed for the settings).
    static std::optional<IniRecord> read(const QString& path);
    // WriteIni: writes a complete new file beside the old one, waits until it is on the disk and
    // renames it over the old one. On any failure the old file stays exactly as it was. The new
    // file keeps the permissions of the old one, or is for its owner only. A symbolic link of that
    // name is itself replaced by the settings file; its target is never written. Answers why the
    // new file could not be put in place, or nothing.
    QString write(const QString& path) const;

    QPoint mainWindowPosition() const;
    void setMainWindowPosition(const QPoint& position);
    // The folder the defaults were made with; written, never read back by the program.
    QString folderText() const;
    bool reportMaximised() const;
    void setReportMaximised(bool maximised);
    // Left, top, width and height of the report window in its normal state.
    QRect reportGeometry() const;
    void setReportGeometry(const QRect& geometry);

    const std::array<char, kSize>& bytes() const { return bytes_; }

private:
    qint32 integer(int offset) const;
    void setInteger(int offset, qint32 value);

    std::array<char, kSize> bytes_{};
};

}  // namespace pulmora::app
