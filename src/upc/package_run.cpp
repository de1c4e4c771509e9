#include "upc/package_run.h"

#include "platform/box_number.h"
#include "upc/artwork_move.h"
#include "upc/code_spreadsheet.h"
#include "upc/package_count.h"
#include "upc/package_name.h"

#include <QDir>

namespace {

const QString allFiles = QStringLiteral("*.*");

bool canPack(const PackageSide &side, const QString &packageFolder, double first, int total)
{
    return entryExists(side.sourceArtwork) && entryExists(side.artworkIn(packageFolder)) &&
           first >= 1 && first <= total;
}

} // namespace

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

    const PackageSide &lead = order.sides.first();
    const double first = firstPosition(GetFileCount(lead.sourceArtwork, allFiles), order.countText,
                                       order.filesPerCode);
    const int total = GetFileCount(lead.sourceArtwork, allFiles);
    if (!canPack(lead, package, first, total))
        return PackOutcome::CountError;
    for (const PackageSide &side : order.sides.sliced(1)) {
        if (GetFileCount(side.sourceArtwork, allFiles) !=
            GetFileCount(lead.sourceArtwork, allFiles))
            return PackOutcome::CountsDiffer;
        if (!canPack(side, package, first, total))
            return PackOutcome::CountError;
    }

    for (const PackageSide &side : order.sides) {
        moveFiles(side.sourceArtwork, side.artworkIn(package), int(first), total);
        writeCodeSpreadsheet(side.artworkIn(package), order.spreadsheetPattern,
                             side.folderIn(package) + '/' + side.spreadsheetName);
    }
    return PackOutcome::Packed;
}
