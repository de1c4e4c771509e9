#pragma once

#include <QString>

class Endpoints;

// The pages of the maker's site the program reads or opens.
namespace MakerSite {
// The announcement page: latest version, notice and flag-digit lock markers, in GB2312.
QString announcementPage(const Endpoints &endpoints);
QString updatePackage(const Endpoints &endpoints);
QString homePage(const Endpoints &endpoints);
QString downloadPage(const Endpoints &endpoints);
// The page the main window's web panel shows.
QString webPanelPage(const Endpoints &endpoints);
// The page behind one of the splash window's four pictures, numbered 1 to 4.
QString profilePage(const Endpoints &endpoints, int picture);
} // namespace MakerSite
