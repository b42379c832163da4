#include "Options.h"

TOptions &Options()
{
    static TOptions options;
    return options;
}
