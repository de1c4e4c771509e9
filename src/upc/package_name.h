#pragma once

#include <QDateTime>
#include <QString>

// The name of an order's package folder: the moment of the run ("2014-03-12_093005"),
// "-", the buyer text, "-", the packager's word, the count text and "个".
QString packageFolderName(const QDateTime &when, const QString &buyer, const QString &word,
                          const QString &countText);

// True when `text` can be one part of a folder name: non-empty, and holding no
// separator, no control character and none of < > : " | ? *. Such a text can
// neither nest folders nor lead out of the folder it is made in.
bool isFolderNamePart(const QString &text);
