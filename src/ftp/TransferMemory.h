#pragma once

namespace Ftp {

// Keeps the allocator from handing large buffers back to the system after each use: a
// transfer allocates and frees buffers of a few hundred KiB all the time (the TLS layer
// most of all), and fresh pages for each cost more CPU than the encryption. Call once, at
// the start of the process.
void keepTransferBuffers();

} // namespace Ftp
