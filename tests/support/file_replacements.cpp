#include "support/file_replacements.h"

#include <QFile>
#include <QFileInfo>
#include <sys/inotify.h>
#include <unistd.h>

FileReplacements::FileReplacements(const QString &path)
    : name(QFileInfo(path).fileName())
    , watcher(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    // The name a file is moved from is watched too: the system folds an event into
    // the unread one before it when both are the same.
    if (watcher >= 0 &&
        inotify_add_watch(watcher, folder.constData(), IN_MOVED_FROM | IN_MOVED_TO) < 0) {
        ::close(watcher);
        watcher = -1;
    }
}

FileReplacements::~FileReplacements()
{
    if (watcher >= 0)
        ::close(watcher);
}

int FileReplacements::count()
{
    if (watcher < 0)
        return -1;
    alignas(inotify_event) char events[16384];
    ssize_t size;
    while ((size = ::read(watcher, events, sizeof events)) > 0) {
        for (const char *at = events; at < events + size;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            if ((event->mask & IN_MOVED_TO) && event->len > 0 &&
                QFile::decodeName(event->name) == name)
                ++seen;
            at += sizeof(inotify_event) + event->len;
        }
    }
    return seen;
}
