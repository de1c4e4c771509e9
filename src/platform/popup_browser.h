#pragma once

class Browser;
class Services;

// A plain browser window of its own, on the program's profile, for a window whose
// NewWindow2 handler opens a separate browser window; its own pages' new windows
// open further ones. Shown at once; it goes away when the user closes it. Its
// completions run nothing.
Browser *openPopupBrowser(Services &services);
