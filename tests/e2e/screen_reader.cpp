#include "screen_reader.h"

#include "support/child_process.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QThread>

namespace {

const QString accessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString rootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
constexpr int deepestControl = 12;

void runEventsFor(int ms)
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, ms);
    QThread::msleep(ms);
}

} // namespace

ScreenReader::ScreenReader()
{
    // The accessibility bus makes its socket in the runtime folder of whoever
    // starts it: the test's own, not the user's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("HOME", runtime.path());
    sessionBus.setProcessEnvironment(environment);
    tieToThisThread(sessionBus);
    sessionBus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!sessionBus.waitForStarted(10000))
        return;
    QDeadlineTimer deadline(20000);
    while (!sessionAddress.contains('\n') && !deadline.hasExpired()) {
        sessionBus.waitForReadyRead(500);
        sessionAddress += QString::fromUtf8(sessionBus.readAllStandardOutput());
    }
    sessionAddress = sessionAddress.trimmed();
    if (sessionAddress.isEmpty())
        return;
    session = QDBusConnection::connectToBus(sessionAddress, "skarvel-test-session");
    const QDBusReply<QString> address =
        session.call(QDBusMessage::createMethodCall("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                                    "GetAddress"),
                     QDBus::Block, 20000);
    if (!address.isValid())
        return;
    accessibility = QDBusConnection::connectToBus(address.value(), "skarvel-test-accessibility");
    // A program tells only the events someone listens to.
    QDBusMessage listen =
        QDBusMessage::createMethodCall("org.a11y.atspi.Registry", "/org/a11y/atspi/registry",
                                       "org.a11y.atspi.Registry", "RegisterEvent");
    listen << QStringLiteral("object:state-changed") << QStringList() << QString();
    accessibility.call(listen, QDBus::Block, 20000);
    accessibility.connect(QString(), QString(), "org.a11y.atspi.Event.Object", "StateChanged", this,
                          SLOT(stateChanged(QDBusMessage)));
}

ScreenReader::~ScreenReader()
{
    QDBusConnection::disconnectFromBus("skarvel-test-accessibility");
    QDBusConnection::disconnectFromBus("skarvel-test-session");
    endChild(sessionBus, 5000);
}

QProcessEnvironment ScreenReader::environment() const
{
    QProcessEnvironment environment;
    environment.insert("DBUS_SESSION_BUS_ADDRESS", sessionAddress);
    environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    return environment;
}

std::optional<QRect> ScreenReader::find(const QString &window, const QString &role,
                                        const QString &name, int ms) const
{
    const QDeadlineTimer deadline(ms);
    do {
        for (const Node &application : children({"org.a11y.atspi.Registry", rootPath})) {
            for (const Node &top : children(application)) {
                if (property(top, "Name") != window)
                    continue;
                if (const std::optional<Node> found = findIn(top, role, name, 0))
                    return extents(*found);
            }
        }
        runEventsFor(100);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

std::optional<QStringList> ScreenReader::openedMenu(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (openedMenus.isEmpty() && !deadline.hasExpired())
        runEventsFor(50);
    if (openedMenus.isEmpty())
        return std::nullopt;
    // A menu may be told before its entries are.
    QStringList entries;
    do {
        for (const Node &entry : children(openedMenus.first())) {
            const QString name = property(entry, "Name");
            if (!name.isEmpty())
                entries.append(name);
        }
        if (entries.isEmpty())
            runEventsFor(50);
    } while (entries.isEmpty() && !deadline.hasExpired());
    return entries;
}

void ScreenReader::stateChanged(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || arguments.at(0).toString() != "showing" ||
        arguments.at(1).toInt() != 1)
        return;
    const Node shown{message.service(), message.path()};
    if (roleName(shown) == "popup menu")
        openedMenus.append(shown);
}

QList<ScreenReader::Node> ScreenReader::children(const Node &node) const
{
    const QDBusMessage reply = accessibility.call(QDBusMessage::createMethodCall(
        node.service, node.path, accessibleInterface, "GetChildren"));
    QList<Node> found;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return found;
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString service;
        QDBusObjectPath path;
        list.beginStructure();
        list >> service >> path;
        list.endStructure();
        found.append({service, path.path()});
    }
    list.endArray();
    return found;
}

QString ScreenReader::property(const Node &node, const QString &name) const
{
    QDBusMessage get = QDBusMessage::createMethodCall(node.service, node.path,
                                                      "org.freedesktop.DBus.Properties", "Get");
    get << accessibleInterface << name;
    const QDBusReply<QDBusVariant> reply = accessibility.call(get);
    return reply.isValid() ? reply.value().variant().toString() : QString();
}

QString ScreenReader::roleName(const Node &node) const
{
    const QDBusReply<QString> reply = accessibility.call(QDBusMessage::createMethodCall(
        node.service, node.path, accessibleInterface, "GetRoleName"));
    return reply.isValid() ? reply.value() : QString();
}

std::optional<QRect> ScreenReader::extents(const Node &node) const
{
    QDBusMessage get = QDBusMessage::createMethodCall(node.service, node.path,
                                                      "org.a11y.atspi.Component", "GetExtents");
    get << quint32(0); // screen coordinates
    const QDBusMessage reply = accessibility.call(get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QDBusArgument box = reply.arguments().first().value<QDBusArgument>();
    int x = 0, y = 0, width = 0, height = 0;
    box.beginStructure();
    box >> x >> y >> width >> height;
    box.endStructure();
    return QRect(x, y, width, height);
}

std::optional<ScreenReader::Node> ScreenReader::findIn(const Node &node, const QString &role,
                                                       const QString &name, int depth) const
{
    if (roleName(node) == role && (name.isEmpty() || property(node, "Name") == name))
        return node;
    if (depth == deepestControl)
        return std::nullopt;
    for (const Node &child : children(node)) {
        if (const std::optional<Node> found = findIn(child, role, name, depth + 1))
            return found;
    }
    return std::nullopt;
}
