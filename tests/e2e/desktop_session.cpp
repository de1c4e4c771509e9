#include "desktop_session.h"

#include "support/program_setting.h"

#include <QElapsedTimer>
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

} // namespace

DesktopSession::~DesktopSession()
{
    for (const auto &program : programs) {
        if (program->state() != QProcess::NotRunning) {
            program->kill();
            program->waitForFinished(5000);
        }
    }
}

QProcess *DesktopSession::start(const ProgramSetting &setting)
{
    auto program = std::make_unique<QProcess>();
    program->setProcessEnvironment(setting.environment(display.name()));
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
    QProcess xdotool;
    xdotool.setProcessEnvironment(xdotoolEnvironment());
    xdotool.start(XDOTOOL_PROGRAM,
                  {"windowfocus", "--sync", window, "key", "--clearmodifiers", key});
    return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
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

QProcessEnvironment DesktopSession::xdotoolEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display.name());
    return environment;
}
