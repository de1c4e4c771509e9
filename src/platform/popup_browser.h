#pragma once

class Browser;
class WebProfile;

// A plain browser window of its own, on the given profile, for a page that asks for
// a new window where its browser has no NewWindow2 handler of its own: the Windows
// control then opens a separate browser window. Shown at once; it goes away when
// the user closes it. Its completions run nothing.
Browser *openPopupBrowser(WebProfile &profile);
