#include "wintools.h"

#include "store/settings.h"

HINSTANCE Instance;

// Both languages share the string table: language L's text n has the
// id L * 50 + n.
static int StringId(int n)
{
    return Language * 50 + n;
}

void LoadText(int n, char *buffer, int size)
{
    if (LoadStringA(Instance, StringId(n), buffer, size) == 0 && size > 0)
        buffer[0] = '\0';
}
