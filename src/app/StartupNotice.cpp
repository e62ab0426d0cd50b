#include "StartupNotice.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace pulmora::app {
namespace {

constexpr char kStartupId[] = "DESKTOP_STARTUP_ID";
constexpr char kActivationToken[] = "XDG_ACTIVATION_TOKEN";
constexpr qsizetype kLongestId = 512;
constexpr qsizetype kChunk = 20;  // the data bytes of one X11 client message

// Printable ASCII without blanks, quotes or backslashes, so it goes into a startup message
// as it is, with nothing to escape.
bool isPlainId(const QByteArray& id) {
    if (id.isEmpty() || id.size() > kLongestId) return false;
    for (const char c : id)
        if (c <= ' ' || c > '~' || c == '"' || c == '\\') return false;
    return true;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

xcb_connection_t* x11Connection() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The window says it comes forward for that start: a window manager that keeps windows from
// taking the front unasked looks the start up by its id, with the moment the user made it.
void claimStart(xcb_connection_t* connection, xcb_window_t window, const QByteArray& id) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_STARTUP_ID"),
                        atom(connection, "UTF8_STRING"), 8, uint32_t(id.size()), id.constData());
}

// Tells the desktop that the start of that id is over, from a window of its own as the
// startup information messages are sent.
void endStart(xcb_connection_t* connection, xcb_window_t window, const QByteArray& id) {
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (!geometry) return;
    const xcb_window_t root = geometry->root;
    std::free(geometry);
    const xcb_window_t sender = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, sender, root, -100, -100, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 8;
    message.window = sender;
    message.type = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (const QByteArray& chunk : startupInfoChunks(id)) {
        std::memcpy(message.data.data8, chunk.constData(), kChunk);
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&message));
        message.type = more;
    }
    xcb_destroy_window(connection, sender);
    xcb_flush(connection);
}

}  // namespace

StartupNotice StartupNotice::fromEnvironment() {
    if (const StartupNotice token = decoded(QByteArray(kActivationToken) + '=' + qgetenv(kActivationToken));
        token.kind != Kind::None)
        return token;
    return decoded(QByteArray(kStartupId) + '=' + qgetenv(kStartupId));
}

QByteArray StartupNotice::encoded() const {
    switch (kind) {
    case Kind::StartupId: return QByteArray(kStartupId) + '=' + id;
    case Kind::ActivationToken: return QByteArray(kActivationToken) + '=' + id;
    case Kind::None: break;
    }
    return {};
}

StartupNotice StartupNotice::decoded(const QByteArray& text) {
    const qsizetype equals = text.indexOf('=');
    if (equals < 0) return {};
    const QByteArray name = text.left(equals), id = text.mid(equals + 1);
    if (!isPlainId(id)) return {};
    if (name == kStartupId) return {Kind::StartupId, id};
    if (name == kActivationToken) return {Kind::ActivationToken, id};
    return {};
}

std::vector<QByteArray> startupInfoChunks(const QByteArray& id) {
    QByteArray message = "remove: ID=" + id;
    message.append('\0');
    message.append((kChunk - message.size() % kChunk) % kChunk, '\0');
    std::vector<QByteArray> chunks;
    for (qsizetype at = 0; at < message.size(); at += kChunk) chunks.push_back(message.mid(at, kChunk));
    return chunks;
}

void raiseUnder(QWidget& window, const StartupNotice& notice) {
    window.showNormal();
    window.raise();
    const QString platform = QGuiApplication::platformName();
    xcb_connection_t* x11 =
        notice.kind == StartupNotice::Kind::StartupId && platform == QLatin1String("xcb") ? x11Connection() : nullptr;
    // The toolkit hands the token of the environment to the compositor with the next activation.
    if (notice.kind == StartupNotice::Kind::ActivationToken && platform.startsWith(QLatin1String("wayland")))
        qputenv(kActivationToken, notice.id);
    if (x11) claimStart(x11, xcb_window_t(window.winId()), notice.id);
    window.activateWindow();
    if (x11) endStart(x11, xcb_window_t(window.winId()), notice.id);
}

}  // namespace pulmora::app
