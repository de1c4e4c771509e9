#pragma once

#include <QByteArray>

// The User-Agent that the embedded web engine's default profile sends, so that the
// program's own requests look like its browsers' (many services refuse a request
// that names no browser). It is built from the engine's versions the way the
// engine builds it, since asking a profile would start the engine, which costs a
// noticeable part of a second.
QByteArray webEngineUserAgent();
