#pragma once

// What the program sets up around its application object, in one place, so the
// tests' windows run as the program's do.

// Before the application object exists: the embedded browsers need one shared
// OpenGL context.
void prepareApplication();

// On the application object: its name (it names the instance lock and titles the
// plain notices), tool windows that outlive a hidden main window, and Qt's own texts
// (the text boxes' right-click menu, standard dialogs, the web pages' right-click
// menus and script dialogs) in Simplified Chinese, as the users' Chinese desktop
// shows them whatever the system's language. False when any of Qt's Chinese texts
// could not be loaded; the program then runs with Qt's English ones for those.
bool setUpApplication();
