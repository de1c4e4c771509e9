#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// What a screen reader hears of the real program: its windows, controls and the
// menus it opens, as the program tells the desktop's accessibility bus. It brings a
// session bus of its own (with the accessibility bus the desktop starts on it), so
// the programs started with environment() speak to it alone.
class ScreenReader : public QObject
{
    Q_OBJECT
public:
    ScreenReader();
    ~ScreenReader() override;

    bool isRunning() const { return accessibility.isConnected(); }
    // What a program needs to be heard here.
    QProcessEnvironment environment() const;

    // The place on the screen of the first control with `role` ("text", "push button",
    // "web document") in the window titled `window`, and with the accessible name
    // `name` where one is given, waiting up to `ms` for it.
    std::optional<QRect> find(const QString &window, const QString &role, const QString &name,
                              int ms) const;

    // Forgets the menus heard so far.
    void clearMenus() { openedMenus.clear(); }
    // The entries of the first menu that opened since the last clearMenus, waiting up
    // to `ms` for one; separators are left out. No value when none opened.
    std::optional<QStringList> openedMenu(int ms);

private slots:
    void stateChanged(const QDBusMessage &message);

private:
    struct Node
    {
        QString service;
        QString path;
    };
    QList<Node> children(const Node &node) const;
    QString property(const Node &node, const QString &name) const;
    QString roleName(const Node &node) const;
    std::optional<QRect> extents(const Node &node) const;
    std::optional<Node> findIn(const Node &node, const QString &role, const QString &name,
                               int depth) const;

    QTemporaryDir runtime;
    QProcess sessionBus;
    QString sessionAddress;
    QDBusConnection session{QString()};
    QDBusConnection accessibility{QString()};
    QList<Node> openedMenus;
};
