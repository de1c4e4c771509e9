#include "desktop_session.h"

#include "support/child_process.h"
#include "support/program_setting.h"
#include "support/temp_folders.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

// The window that holds the system tray's place on the display's first screen, or
// none.
xcb_window_t trayOwner(xcb_connection_t *connection)
{
    xcb_get_selection_owner_reply_t *reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, atom(connection, "_NET_SYSTEM_TRAY_S0")),
        nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_NONE);
    std::free(reply);
    return owner;
}

// Whether a system tray has taken its place on the display's first screen.
bool trayIsThere(const QString &display)
{
    xcb_connection_t *connection = xcb_connect(display.toLatin1().constData(), nullptr);
    const bool owned = !xcb_connection_has_error(connection) && trayOwner(connection) != XCB_NONE;
    xcb_disconnect(connection);
    return owned;
}

// The children of every window in `parents`, as one round of requests.
std::vector<xcb_window_t> childrenOf(xcb_connection_t *connection,
                                     const std::vector<xcb_window_t> &parents)
{
    std::vector<xcb_query_tree_cookie_t> trees;
    for (const xcb_window_t parent : parents)
        trees.push_back(xcb_query_tree(connection, parent));
    std::vector<xcb_window_t> children;
    for (const xcb_query_tree_cookie_t tree : trees) {
        // A window destroyed meanwhile answers with an error and no reply.
        xcb_query_tree_reply_t *reply = xcb_query_tree_reply(connection, tree, nullptr);
        if (!reply)
            continue;
        const xcb_window_t *first = xcb_query_tree_children(reply);
        children.insert(children.end(), first, first + xcb_query_tree_children_length(reply));
        std::free(reply);
    }
    return children;
}

// Those of `candidates` that are on the screen with the title `title`.
QStringList shownWithTitle(xcb_connection_t *connection,
                           const std::vector<xcb_window_t> &candidates, const QByteArray &title)
{
    const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8String = atom(connection, "UTF8_STRING");
    std::vector<xcb_get_window_attributes_cookie_t> states;
    std::vector<xcb_get_property_cookie_t> names;
    for (const xcb_window_t window : candidates) {
        states.push_back(xcb_get_window_attributes(connection, window));
        names.push_back(xcb_get_property(connection, 0, window, netWmName, utf8String, 0, 256));
    }
    QStringList shown;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        xcb_get_window_attributes_reply_t *state =
            xcb_get_window_attributes_reply(connection, states[i], nullptr);
        xcb_get_property_reply_t *name = xcb_get_property_reply(connection, names[i], nullptr);
        if (state && name && state->map_state == XCB_MAP_STATE_VIEWABLE &&
            QByteArray(static_cast<const char *>(xcb_get_property_value(name)),
                       xcb_get_property_value_length(name)) == title)
            shown.append(QString::number(candidates[i]));
        std::free(state);
        std::free(name);
    }
    return shown;
}

} // namespace

DesktopSession::~DesktopSession()
{
    for (const auto &program : programs)
        endChild(*program, 0);
    endChild(windowManager, 5000);
}

bool DesktopSession::startWindowManager()
{
    // A plain background: the default one asks for a picture viewer and says so in a
    // window of its own.
    QDir(windowManagerHome.path()).mkpath(".fluxbox");
    TempFolders::writeFile(windowManagerHome.filePath(".fluxbox/overlay"), "background: none\n");
    TempFolders::writeFile(windowManagerHome.filePath(".fluxbox/init"),
                           "session.styleOverlay: " +
                               QFile::encodeName(windowManagerHome.filePath(".fluxbox/overlay")) +
                               "\n");
    QProcessEnvironment environment = xdotoolEnvironment();
    environment.insert("HOME", windowManagerHome.path());
    windowManager.setProcessEnvironment(environment);
    windowManager.setStandardOutputFile(QProcess::nullDevice());
    windowManager.setStandardErrorFile(QProcess::nullDevice());
    tieToThisThread(windowManager);
    windowManager.start(FLUXBOX_PROGRAM, {});
    if (!windowManager.waitForStarted(10000))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        if (trayIsThere(display.name()))
            return true;
        QThread::msleep(100);
    }
    return false;
}

QProcess *DesktopSession::start(const ProgramSetting &setting, const QProcessEnvironment &extra)
{
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment environment = setting.environment(display.name());
    for (const QString &name : extra.keys())
        environment.insert(name, extra.value(name));
    program->setProcessEnvironment(environment);
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program->setStandardOutputFile(QProcess::nullDevice());
    program->setWorkingDirectory(QFileInfo(setting.program()).absolutePath());
    tieToThisThread(*program);
    program->start(setting.program(), {});
    program->waitForStarted(10000);
    programs.push_back(std::move(program));
    return programs.back().get();
}

// Read from the X server itself, every level of the window tree: a window manager
// puts each program window into a frame of its own.
QStringList DesktopSession::windows(const QString &title) const
{
    xcb_connection_t *connection = xcb_connect(display.name().toLatin1().constData(), nullptr);
    QStringList shown;
    if (!xcb_connection_has_error(connection)) {
        std::vector<xcb_window_t> level{
            xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root};
        while (!level.empty()) {
            level = childrenOf(connection, level);
            shown += shownWithTitle(connection, level, title.toUtf8());
        }
    }
    xcb_disconnect(connection);
    return shown;
}

QString DesktopSession::window(const QString &title, int ms) const
{
    const QDeadlineTimer deadline(ms);
    for (;;) {
        const QStringList shown = windows(title);
        if (!shown.isEmpty())
            return shown.first();
        if (deadline.hasExpired())
            return {};
        QThread::msleep(100);
    }
}

bool DesktopSession::waitForWindows(const QString &title, int count, int ms) const
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        if (windows(title).size() >= count)
            return true;
        QThread::msleep(100);
    }
    return false;
}

bool DesktopSession::pressKey(const QString &window, const QString &key) const
{
    if (window.isEmpty())
        return false;
    return xdotool({"windowfocus", "--sync", window, "key", "--clearmodifiers", key});
}

bool DesktopSession::click(const QPoint &point, int button) const
{
    return xdotool({"mousemove", "--sync", QString::number(point.x()), QString::number(point.y()),
                    "click", QString::number(button)});
}

bool DesktopSession::minimizeWindow(const QString &window) const
{
    if (window.isEmpty())
        return false;
    return xdotool({"windowminimize", "--sync", window});
}

bool DesktopSession::closeWindow(const QString &window) const
{
    bool isNumber = false;
    const xcb_window_t id = window.toUInt(&isNumber);
    xcb_connection_t *connection = xcb_connect(display.name().toLatin1().constData(), nullptr);
    bool sent = false;
    if (isNumber && !xcb_connection_has_error(connection)) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = atom(connection, "WM_PROTOCOLS");
        event.data.data32[0] = atom(connection, "WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        const xcb_void_cookie_t cookie = xcb_send_event_checked(
            connection, 0, id, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
        xcb_generic_error_t *error = xcb_request_check(connection, cookie);
        sent = !error;
        std::free(error);
    }
    xcb_disconnect(connection);
    return sent;
}

bool DesktopSession::xdotool(const QStringList &arguments) const
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(xdotoolEnvironment());
    tieToThisThread(xdotool);
    xdotool.start(XDOTOOL_PROGRAM, arguments);
    const bool finished = xdotool.waitForFinished(10000);
    endChild(xdotool, 0);
    return finished && xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
}

DesktopSession::WindowState DesktopSession::state(const QString &window) const
{
    bool isNumber = false;
    const xcb_window_t id = window.toUInt(&isNumber);
    xcb_connection_t *connection = xcb_connect(display.name().toLatin1().constData(), nullptr);
    WindowState found = WindowState::Destroyed;
    if (isNumber && !xcb_connection_has_error(connection)) {
        xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, id), nullptr);
        if (attributes) {
            found = attributes->map_state == XCB_MAP_STATE_VIEWABLE ? WindowState::Shown
                                                                    : WindowState::Hidden;
        }
        std::free(attributes);
    }
    xcb_disconnect(connection);
    return found;
}

// The window manager's tray keeps its icons beside the window that holds the tray's
// place, in one strip.
QStringList DesktopSession::trayIcons() const
{
    xcb_connection_t *connection = xcb_connect(display.name().toLatin1().constData(), nullptr);
    QStringList icons;
    const xcb_window_t owner =
        xcb_connection_has_error(connection) ? xcb_window_t(XCB_NONE) : trayOwner(connection);
    xcb_query_tree_reply_t *tree =
        owner == XCB_NONE
            ? nullptr
            : xcb_query_tree_reply(connection, xcb_query_tree(connection, owner), nullptr);
    if (tree) {
        for (const xcb_window_t icon : childrenOf(connection, {tree->parent})) {
            if (icon != owner)
                icons.append(QString::number(icon));
        }
    }
    std::free(tree);
    xcb_disconnect(connection);
    return icons;
}

bool DesktopSession::isOnTaskBar(const QString &window) const
{
    xcb_connection_t *connection = xcb_connect(display.name().toLatin1().constData(), nullptr);
    bool listed = false;
    if (!xcb_connection_has_error(connection)) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, root, atom(connection, "_NET_CLIENT_LIST"),
                             XCB_ATOM_WINDOW, 0, 4096),
            nullptr);
        if (reply) {
            const auto *windows = static_cast<const xcb_window_t *>(xcb_get_property_value(reply));
            const int count = xcb_get_property_value_length(reply) / int(sizeof(xcb_window_t));
            for (int i = 0; i < count; ++i)
                listed = listed || QString::number(windows[i]) == window;
        }
        std::free(reply);
    }
    xcb_disconnect(connection);
    return listed;
}

QProcessEnvironment DesktopSession::xdotoolEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display.name());
    return environment;
}
