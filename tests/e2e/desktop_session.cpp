#include "desktop_session.h"

#include "support/program_setting.h"
#include "support/temp_folders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <cstdlib>
#include <cstring>
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

// Whether a system tray has taken its place on the display's first screen.
bool trayIsThere(const QString &display)
{
    xcb_connection_t *connection = xcb_connect(display.toLatin1().constData(), nullptr);
    bool owned = false;
    if (!xcb_connection_has_error(connection)) {
        xcb_get_selection_owner_reply_t *reply = xcb_get_selection_owner_reply(
            connection,
            xcb_get_selection_owner(connection, atom(connection, "_NET_SYSTEM_TRAY_S0")), nullptr);
        owned = reply && reply->owner != XCB_NONE;
        std::free(reply);
    }
    xcb_disconnect(connection);
    return owned;
}

} // namespace

DesktopSession::~DesktopSession()
{
    for (const auto &program : programs) {
        if (program->state() != QProcess::NotRunning) {
            program->kill();
            program->waitForFinished(5000);
        }
    }
    if (windowManager.state() != QProcess::NotRunning) {
        windowManager.terminate();
        if (!windowManager.waitForFinished(5000))
            windowManager.kill();
    }
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
    program->start(setting.program(), {});
    program->waitForStarted(10000);
    programs.push_back(std::move(program));
    return programs.back().get();
}

QStringList DesktopSession::windows(const QString &title) const
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(xdotoolEnvironment());
    xdotool.start(XDOTOOL_PROGRAM, {"search", "--onlyvisible", "--name",
                                    "^" + QRegularExpression::escape(title) + "$"});
    xdotool.waitForFinished(10000);
    return QString::fromUtf8(xdotool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
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
    return xdotool({"windowfocus", "--sync", window, "key", "--clearmodifiers", key});
}

bool DesktopSession::click(const QPoint &point, int button) const
{
    return xdotool({"mousemove", "--sync", QString::number(point.x()), QString::number(point.y()),
                    "click", QString::number(button)});
}

bool DesktopSession::minimizeWindow(const QString &window) const
{
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
    xdotool.start(XDOTOOL_PROGRAM, arguments);
    return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
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
