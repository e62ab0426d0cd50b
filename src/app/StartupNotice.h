#pragma once

#include <QByteArray>
#include <QMetaType>

#include <vector>

class QWidget;

namespace pulmora::app {

// What a launcher hands the program it starts, so that the desktop shows it starting (a busy
// cursor, a bouncing icon) and lets its window come to the front: the startup id on X11
// (DESKTOP_STARTUP_ID) or the activation token on Wayland (XDG_ACTIVATION_TOKEN). A second copy
// has no window of its own to end it with, so it passes the notice to the first copy, whose
// window comes forward under it and ends it.
struct StartupNotice {
    enum class Kind { None, StartupId, ActivationToken };
    Kind kind = Kind::None;
    QByteArray id;

    // The notice in the environment. Read before the toolkit starts, which takes the startup id
    // out of the environment for the program's own first window.
    static StartupNotice fromEnvironment();
    // "DESKTOP_STARTUP_ID=id" or "XDG_ACTIVATION_TOKEN=id", as it travels to the first copy; empty
    // without a notice.
    QByteArray encoded() const;
    // The notice read back; none for anything that is not one. An id is printable ASCII without
    // blanks or quotes, as launchers make them, and at most 512 bytes: anything else another
    // process sent is not passed on to the desktop.
    static StartupNotice decoded(const QByteArray& text);

    bool operator==(const StartupNotice&) const = default;
};

// Brings the window to the front under the notice and ends the notice.
void raiseUnder(QWidget& window, const StartupNotice& notice);

// The startup information message "remove: ID=id" as the X11 messages that carry it: 20 bytes
// each, the text ended by a nul byte and the last message filled with nul bytes.
std::vector<QByteArray> startupInfoChunks(const QByteArray& id);

}  // namespace pulmora::app

Q_DECLARE_METATYPE(pulmora::app::StartupNotice)
