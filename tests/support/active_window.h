#pragma once

class QWidget;

// Key and focus events reach a widget only in a shown, active window.
bool showActive(QWidget &window);
