#include "ListingFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return fuzzListing(data, size, Ftp::RemoteListing::Format::Mlsd);
}
