#pragma once

#include <QList>
#include <QString>

// One side of a package: the artwork of one code format, taken from its source
// folder into a folder of the package that also holds its spreadsheet.
struct PackageSide
{
    QString sourceArtwork;   // the artwork's folder, relative to the source folder
    QString folderName;      // the side's folder inside the package ("UPC-A")
    QString spreadsheetName; // the spreadsheet's file name in that folder

    QString artworkFrom(const QString &sourceFolder) const;
    QString folderIn(const QString &packageFolder) const;
    QString artworkIn(const QString &packageFolder) const;
};

// An order to package: the last N codes' artwork of every side, where N is the
// count text read strictly as a number.
struct PackageOrder
{
    QString sourceFolder;
    QString packageName;
    QList<PackageSide> sides; // the first side's count decides the positions
    int filesPerCode = 1;
    QString countText;
    QString spreadsheetPattern; // the artwork files that get a spreadsheet row

    QString packageFolder() const;
};

// The 1-based position of the first file to move out of `files` files: the last
// `filesPerCode` × N files are taken, rounded half to even. 0 when the count text
// is not a number.
double firstPosition(int files, const QString &countText, int filesPerCode);

enum class PackOutcome {
    Packed,
    CountError,   // the count does not fit what is left, or the package cannot be made
    CountsDiffer, // the sides hold different numbers of files
};

// Makes the package's folders (the package folder, then each side's folder and its
// "Artwork"), then checks every side before any file moves: the source artwork is
// there, the package's artwork folder was made, the positions lie within the files
// left, and every further side holds as many files as the first. Only then are the
// files at the same positions of every side moved and each side's spreadsheet saved.
// A package name that is no single folder-name part makes nothing.
PackOutcome packOrder(const PackageOrder &order);
