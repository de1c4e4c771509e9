#pragma once

// Why a request got no reply. Windows reports a server that cannot be reached
// with an error of its own, and some windows tell the user only about that one.
enum class HttpFailure {
    Unreachable, // no such host, or the connection was refused
    Other,       // a time-out, a broken or abandoned transfer, any other error
};
