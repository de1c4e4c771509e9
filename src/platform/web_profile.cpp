#include "platform/web_profile.h"

#include "platform/instance_lock.h"
#include "platform/private_files.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <algorithm>
#include <utility>

namespace {

// How long the end of the program waits at most for the engine to write the
// profile; measured here, it takes some 15 ms.
constexpr int closeTimeoutMs = 5000;
// The engine writes a closed profile on threads of its own, one file after another
// (the cookies, the preferences, the network state last), with pauses of a few
// milliseconds between them under load; once no file of the user's data has been open for this
// long, it is done. Without the pause, a write could land in a folder being removed.
constexpr int closeQuietMs = 100;

// The engine reads its command line when it starts, which the first profile does:
// this sets the language of its own pages (the error pages) and of the pages'
// scripts, unless the user's flags already name one.
void useChineseForTheEngine()
{
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--lang="))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --lang=zh-CN").trimmed());
}

// The engine keeps its caches open for as long as the process runs (the GPU's
// shader cache from the start), and nothing of the user's is in them.
bool isCache(const QString &pathInFolder)
{
    const QStringList parts = pathInFolder.split('/');
    return std::any_of(parts.cbegin(), parts.cend(),
                       [](const QString &part) { return part.endsWith(QLatin1String("Cache")); });
}

// Whether the engine still has a file of the user's data in `folder` open.
bool dataFilesOpenIn(const QString &folder)
{
    const QString canonical = QDir(folder).canonicalPath();
    if (canonical.isEmpty())
        return false;
    const QString prefix = canonical + '/';
    const QFileInfoList descriptors =
        QDir(QStringLiteral("/proc/self/fd"))
            .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &descriptor : descriptors) {
        const QString target = descriptor.symLinkTarget();
        if (target.startsWith(prefix) && !isCache(target.mid(prefix.size())))
            return true;
    }
    return false;
}

} // namespace

WebProfile::WebProfile(const QString &folder, InstanceLock *instanceLock)
    : storageFolder(folder)
    , instanceLock(instanceLock)
{
    if (instanceLock)
        connect(instanceLock, &InstanceLock::claimed, this, &WebProfile::leaveTheStandIn);
}

WebProfile::~WebProfile()
{
    close();
}

QWebEngineProfile *WebProfile::engineProfile()
{
    if (profile)
        return profile;
    useChineseForTheEngine();
    onStandIn = instanceLock && !instanceLock->claim(QCoreApplication::applicationName());
    if (onStandIn) {
        profile = new QWebEngineProfile; // off the record: it keeps nothing
    } else {
        makePrivateFolder(storageFolder);
        profile = new QWebEngineProfile(QStringLiteral("Skarvel"));
        profile->setPersistentStoragePath(storageFolder);
        profile->setCachePath(storageFolder);
    }
    profile->setHttpAcceptLanguage(QStringLiteral("zh-CN,zh;q=0.9"));
    return profile;
}

void WebProfile::leaveTheStandIn()
{
    if (!onStandIn)
        return;
    leftBehind.append(profile);
    profile = nullptr;
    engineProfile();
    emit engineProfileReplaced();
}

void WebProfile::close()
{
    if (!profile)
        return;
    QList<QWebEngineProfile *> ending = std::exchange(leftBehind, {});
    ending.append(std::exchange(profile, nullptr));
    // A page must end before its profile; a page left over would be cut off from it.
    QList<QPointer<QWebEngineView>> views;
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *view = qobject_cast<QWebEngineView *>(widget);
        if (view && view->page() && ending.contains(view->page()->profile()))
            views.append(view);
    }
    qDeleteAll(views);
    qDeleteAll(ending);
    if (std::exchange(onStandIn, false))
        return; // nothing of the folder's was open
    const QDeadlineTimer deadline(closeTimeoutMs);
    QDeadlineTimer quiet(closeQuietMs);
    while (!quiet.hasExpired() && !deadline.hasExpired()) {
        QThread::msleep(5);
        if (dataFilesOpenIn(storageFolder))
            quiet.setRemainingTime(closeQuietMs);
    }
    // The engine makes some of its files with the process's default mode ("Visited
    // Links"); the folder keeps others out meanwhile, and they are the user's alone
    // from here on.
    makePrivateFolder(storageFolder);
}
