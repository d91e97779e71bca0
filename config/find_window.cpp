// Find-window tool. Its button is not offered yet, so the tool is never
// armed and the filter lets every message through to the dialogs.
#include "config/find_window.h"

int FindWindowFilter(const MSG*)
{
    return 0;
}
