#include "typing/NetHooks.h"

NetHooks &netHooks()
{
    static NetHooks hooks;
    return hooks;
}
