#include "desktop_session.h"

#include "support/program_setting.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

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

QProcessEnvironment DesktopSession::xdotoolEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display.name());
    return environment;
}
