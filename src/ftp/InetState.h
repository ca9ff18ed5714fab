#pragma once

namespace Ftp {

// The client's progress, as the engine knows it. Only Inet turns these into the numbers
// 0 to 12 that its StateChanged reports, in this order.
enum class InetState {
    None,                                                  // 0
    Resolving, Resolved, Connecting, Connected,            // 1 to 4
    Requesting, RequestSent, Receiving, ResponseReceived,  // 5 to 8
    Disconnecting, Disconnected,                           // 9, 10
    Error, Completed,                                      // 11, 12
};

} // namespace Ftp
