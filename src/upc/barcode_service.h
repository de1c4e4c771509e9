#pragma once

#include <QString>
#include <optional>

class Inet;

// The web service that renders barcode pictures: a request with the code names a
// picture in the reply, which is then downloaded from the service's "/Temp/" path.
namespace BarcodeService {

// The render request for a code, on the service's base address; the code goes
// into the query as it is.
QString requestAddress(const QString &base, const QString &code);

// The picture's name in a reply: the text after the first "Temp/", up to "@330"
// (or a further "Temp/"). No name when the reply holds none, or an empty one.
std::optional<QString> pictureName(const QString &reply);

QString pictureAddress(const QString &base, const QString &name);

// Asks the service to render `code` and downloads the picture it names into
// `target`. The target is replaced only by a complete picture; a reply without a
// name, or a failed download, leaves it as it was. False when the service could
// not be reached (the probe after the request got nothing), in which case nothing
// is downloaded.
bool fetchPicture(Inet &inet, const QString &base, const QString &code, const QString &target);

} // namespace BarcodeService
