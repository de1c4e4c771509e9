#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The one table of outside services: each has a name and a base address (scheme
// and host, no trailing slash); callers add the paths.
class Endpoints
{
public:
    // Every service at its default host.
    Endpoints();

    // The defaults, then the `[hosts]` section of the INI file named by the
    // environment variable SKARVEL_ENDPOINTS (e.g. `maker=http://127.0.0.1:8123`).
    static Endpoints fromEnvironment();
    static QStringList names();

    // Empty for a name that has no address.
    QString base(const QString &name) const;
    void set(const QString &name, const QString &base);

private:
    QHash<QString, QString> bases;
};
