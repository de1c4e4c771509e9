#pragma once

#include <QString>

// The folders the program works in.
struct Paths
{
    QString programDir;  // the executable's folder: settings file and output folders
    QString userProfile; // the user's profile folder: USERPROFILE when set, else HOME
    QString driveRoot;   // stands for drive "c:\" on systems without drives: the home folder
    QString runtimeDir;  // the user's own runtime folder: the single-instance lock lives here

    static Paths fromEnvironment();

    // Where the embedded browsers keep their cookies and cache: in the user's
    // profile folder, as the Windows browser control does, so each user has a login
    // of their own.
    QString webProfileDir() const;

    // A folder under the drive root, written the way this system writes folders,
    // with a trailing separator ("/home/li/orvokeywords/").
    QString driveFolder(const QString &name) const;
};
