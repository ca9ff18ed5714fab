#pragma once

namespace Ftp {

// The client's progress, as the engine knows it. Only Inet turns these into the numbers
// 0 to 12 that its StateChanged reports.
enum class InetState {
    None = 0,
    Resolving = 1,
    Resolved = 2,
    Connecting = 3,
    Connected = 4,
    Requesting = 5,
    RequestSent = 6,
    Receiving = 7,
    ResponseReceived = 8,
    Disconnecting = 9,
    Disconnected = 10,
    Error = 11,
    Completed = 12,
};

} // namespace Ftp
