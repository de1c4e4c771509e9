#include "upc/package_run.h"

#include "platform/box_number.h"
#include "upc/artwork_move.h"
#include "upc/code_spreadsheet.h"
#include "upc/package_count.h"
#include "upc/package_name.h"

#include <QDir>

namespace {

const QString allFiles = QStringLiteral("*.*");

bool canPack(const PackageOrder &order, const PackageSide &side, double first, int total)
{
    return entryExists(side.artworkFrom(order.sourceFolder)) &&
           entryExists(side.artworkIn(order.packageFolder())) && first >= 1 && first <= total;
}

} // namespace

QString PackageSide::artworkFrom(const QString &sourceFolder) const
{
    return sourceFolder + '/' + sourceArtwork;
}

QString PackageSide::folderIn(const QString &packageFolder) const
{
    return packageFolder + '/' + folderName;
}

QString PackageSide::artworkIn(const QString &packageFolder) const
{
    return folderIn(packageFolder) + QStringLiteral("/Artwork");
}

QString PackageOrder::packageFolder() const
{
    return sourceFolder + '/' + packageName;
}

double firstPosition(int files, const QString &countText, int filesPerCode)
{
    const auto codes = readStrict(countText);
    return codes ? roundHalfEven(files - filesPerCode * *codes + 1) : 0;
}

PackOutcome packOrder(const PackageOrder &order)
{
    if (order.sides.isEmpty() || !isFolderNamePart(order.packageName))
        return PackOutcome::CountError;
    const QString package = order.packageFolder();
    QDir().mkdir(package);
    for (const PackageSide &side : order.sides) {
        QDir().mkdir(side.folderIn(package));
        QDir().mkdir(side.artworkIn(package));
    }

    const QString leadArtwork = order.sides.first().artworkFrom(order.sourceFolder);
    const double first =
        firstPosition(GetFileCount(leadArtwork, allFiles), order.countText, order.filesPerCode);
    const int total = GetFileCount(leadArtwork, allFiles);
    if (!canPack(order, order.sides.first(), first, total))
        return PackOutcome::CountError;
    for (const PackageSide &side : order.sides.sliced(1)) {
        const QString artwork = side.artworkFrom(order.sourceFolder);
        if (GetFileCount(artwork, allFiles) != GetFileCount(leadArtwork, allFiles))
            return PackOutcome::CountsDiffer;
        if (!canPack(order, side, first, total))
            return PackOutcome::CountError;
    }

    for (const PackageSide &side : order.sides) {
        moveFiles(side.artworkFrom(order.sourceFolder), side.artworkIn(package), int(first), total);
        writeCodeSpreadsheet(side.artworkIn(package), order.spreadsheetPattern,
                             side.folderIn(package) + '/' + side.spreadsheetName);
    }
    return PackOutcome::Packed;
}
