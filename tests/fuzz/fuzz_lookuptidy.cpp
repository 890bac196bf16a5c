// The name-server lookup's output through its tidy: the removed text first,
// then the output.
#include "FuzzInput.h"
#include "LookupOutputTidy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QString> f = FuzzFields(data, size, 2);
    TidyLookupOutput(f[1], f[0]);
    return 0;
}
