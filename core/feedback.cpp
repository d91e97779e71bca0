// The registered way of showing feedback texts.
#include "core/feedback.h"

static ShowOsdTextFn ShowText;
static OsdCountdownFn TextCountdown;

void RegisterOsdText(ShowOsdTextFn show, OsdCountdownFn countdown)
{
    ShowText = show;
    TextCountdown = countdown;
}

void ShowOsdText(int32_t slot, const char* text)
{
    if (ShowText)
        ShowText(slot, text);
}

int32_t OsdCountdown(int32_t slot)
{
    return TextCountdown ? TextCountdown(slot) : 0;
}
