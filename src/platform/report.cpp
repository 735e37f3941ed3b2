// Start-up failures, as one line on standard error, on every platform.
#include "platform/platform.h"

#include <cstdio>

void report_error(const char* format, const char* detail)
{
    std::fprintf(stderr, "ninescenes: ");
    std::fprintf(stderr, format, detail);
}
