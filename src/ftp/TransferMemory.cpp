#include "ftp/TransferMemory.h"

#include <malloc.h>

namespace Ftp {

void keepTransferBuffers()
{
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 16 * 1024 * 1024);
}

} // namespace Ftp
