#include "upc/barcode_service.h"

#include "net/cut_between.h"
#include "net/network_probe.h"
#include "platform/download.h"
#include "platform/inet.h"

namespace BarcodeService {

QString requestAddress(const QString &base, const QString &code)
{
    return base +
           QStringLiteral("/ashx/Barcodes.ashx?set_w_design=300&set_encoding=UPC-A"
                          "&set_rotate=Rotate180FlipXY&txtInput1=") +
           code +
           QStringLiteral("&set_position=BOTTOMCENTER&chkShowLabel=on&set_align=center"
                          "&outext=GIF&tuid=40917&numbers=0572913&ashxfile=Barcodes"
                          "&srcMakeImg=&mtype=Barcodes&srcw=230&srch=100");
}

std::optional<QString> pictureName(const QString &reply)
{
    const std::optional<QString> name =
        CutBetween(reply, QStringLiteral("Temp/"), QStringLiteral("@330"));
    // An empty name would address the picture folder itself.
    if (!name || name->isEmpty())
        return std::nullopt;
    return name;
}

QString pictureAddress(const QString &base, const QString &name)
{
    return base + QStringLiteral("/Temp/") + name;
}

bool fetchPicture(Inet &inet, const QString &base, const QString &code, const QString &target)
{
    const QString address = requestAddress(base, code);
    const QString reply = inet.openUrl(address).value_or(QString());
    if (!NetworkProbe(inet, address))
        return false;
    if (const std::optional<QString> name = pictureName(reply))
        downloadToFile(pictureAddress(base, *name), target);
    return true;
}

} // namespace BarcodeService
