#pragma once

#include <QString>

// What the packagers' remaining-count boxes show when the source artwork folder is
// missing; a run tests the box for exactly this text.
inline const QString folderErrorText = QStringLiteral("目录错误！");

// The files directly in `folder` that match `pattern`: plain files only, no hidden
// ones. A folder that is missing or cannot be listed counts 0.
int GetFileCount(const QString &folder, const QString &pattern);

// True when an entry of any kind stands at `path`.
bool entryExists(const QString &path);

// The codes left in a folder of `files` artwork files with `filesPerCode` files for
// each code, as the count boxes show it: the plain number followed by "个" ("10个",
// "10.3333333333333个").
QString codesLeftText(int files, int filesPerCode);
