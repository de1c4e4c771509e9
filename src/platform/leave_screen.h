#pragma once

// Takes every window of the program off the screen at once, with nothing of the
// windows run (no closing handler, no event loop): for the end of the program, so
// the user sees it gone while it still writes what it must.
void takeEveryWindowOffTheScreen();
