#pragma once

// The KeyPress rule of every number box: only the digits "0" to "9", the point
// and Backspace reach the box. Other keys, control characters of the copy and
// paste shortcuts, Enter, the minus sign and full-width digits among them, are
// swallowed by setting the key to 0.
void NumericKeyFilter(int &keyAscii);
