// The floor programs' bindings and their "Send Message" slots.
#include "tests/bench/floor_bindings.h"

#include <windows.h>

#include "actions/message.h"
#include "core/catalogue.h"
#include "core/profile.h"
#include "core/text.h"

static KeyActions Bindings[RemoteKeyCount];

void LoadFloorBindings()
{
    HANDLE f = CreateFileA("profile.cfg", GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD got = 0;
    ReadFile(f, Bindings, sizeof Bindings, &got, NULL);
    CloseHandle(f);
}

void RunSendMessageSlots(int key)
{
    for (const ActionRecord& r : Bindings[key].slot) {
        if (r.type != ActionSendMessage)
            continue;
        char cls[WindowClassWidth], name[WindowNameWidth];
        ReadField(cls, sizeof cls, r.windowClass);
        ReadField(name, sizeof name, r.windowName);
        PostToWindow(cls, name[0] ? name : NULL, (uint32_t)r.number, (uint32_t)r.wParam,
                     (uint32_t)r.lParam);
    }
}
