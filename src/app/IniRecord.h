#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

namespace pulmora::app {

// pulmora.ini: despite its name one binary record of 168 bytes, integers little-endian. The
// first 40 bytes are reserved and written back exactly as read.
class IniRecord {
public:
    static constexpr int kSize = 168;

    // IniDefaults: reserved bytes zero, main window at 0,0, the folder text, report window
    // maximised with no stored placement.
    static IniRecord defaults(const QString& programFolder);
    // ReadIni: the record in the file, or the defaults when it is missing, short or unreadable.
    static IniRecord read(const QString& path, const QString& programFolder);
    // WriteIni: writes a new file and renames it over the old one, so a failure part-way keeps the
    // previous settings. Answers whether it was written.
    bool write(const QString& path) const;

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
