// Find-window tool. The tool is not armed from the dialog yet, so the filter
// lets every message through.
#include "config/find_window.h"

static int FindWindowArmed;

int FindWindowFilter(const MSG* msg)
{
    if (!FindWindowArmed || msg->message != WM_LBUTTONDOWN)
        return 0;
    FindWindowArmed = 0;
    return 1;
}
