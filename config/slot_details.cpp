// Details of an action slot: number texts, key-flag boxes and what "Set" stores.
#include "config/slot_details.h"

#include <stdio.h>

#include "actions/keys.h"
#include "actions/virtual_keys.h"
#include "core/catalogue.h"
#include "core/text.h"
#include "res/resource.h"

const KeyFlagBox KeyFlagBoxes[KeyFlagBoxCount] = {
    { IDC_KEY_ALT, KeyAlt },
    { IDC_KEY_CTRL, KeyCtrl },
    { IDC_KEY_SHIFT, KeyShift },
    { IDC_KEY_WIN, KeyWin },
    { IDC_ONLY_IF_FOUND, OnlyIfWindowFound },
    { IDC_RESTORE_PREVIOUS, RestorePreviousWindow },
    { IDC_AND_ACTIVE, OnlyIfActive },
};

// The seven bits the boxes stand for; the rest of the field is always 0.
static const int32_t AllKeyFlags = 0x7F;

int HasSlotDetails(int32_t type)
{
    return type == ActionExecuteProgram || type == ActionSendMessage || type == ActionVirtualKey;
}

void FormatSlotNumber(int32_t value, char* out, size_t size)
{
    if (size == 0)
        return;
    _snprintf(out, size, "%lu", (unsigned long)(uint32_t)value);
    out[size - 1] = '\0';
}

int32_t ParseSlotNumber(const char* text)
{
    int64_t value;
    return ParseDecimal(text, 0, UINT32_MAX, &value) ? (int32_t)(uint32_t)value : 0;
}

void FormatDetailsOfRecord(const ActionRecord& r, SlotDetails* d)
{
    ReadField(d->programPath, ProgramPathWidth, r.programPath);
    ReadField(d->parameters, ParametersWidth, r.parameters);
    ReadField(d->windowClass, WindowClassWidth, r.windowClass);
    ReadField(d->windowName, WindowNameWidth, r.windowName);
    FormatSlotNumber(r.number, d->number, DetailsTextSize);
    FormatSlotNumber(r.wParam, d->wParam, DetailsTextSize);
    FormatSlotNumber(r.lParam, d->lParam, DetailsTextSize);
    d->virtualKeyRow = r.number >= 0 && r.number < VirtualKeyCount ? r.number : NoVirtualKeyRow;
    d->keyFlags = r.wParam & AllKeyFlags;
}

static void StoreWindowTexts(const SlotDetails& d, ActionRecord* r)
{
    CopyText(r->windowClass, WindowClassWidth, d.windowClass);
    CopyText(r->windowName, WindowNameWidth, d.windowName);
}

void StoreDetailsInRecord(const SlotDetails& d, ActionRecord* r)
{
    switch (r->type) {
    case ActionExecuteProgram:
        CopyText(r->programPath, ProgramPathWidth, d.programPath);
        CopyText(r->parameters, ParametersWidth, d.parameters);
        break;
    case ActionSendMessage:
        StoreWindowTexts(d, r);
        r->number = ParseSlotNumber(d.number);
        r->wParam = ParseSlotNumber(d.wParam);
        r->lParam = ParseSlotNumber(d.lParam);
        break;
    case ActionVirtualKey:
        // No row selected (the stored number named no key, for example a
        // message number kept from a "Send Message" binding): store the
        // "None" row, so that the slot sends the checked modifiers as the
        // dialog shows it, instead of a number the dispatcher would skip.
        r->number = d.virtualKeyRow >= 0 && d.virtualKeyRow < VirtualKeyCount ? d.virtualKeyRow
                                                                                : VirtualKeyNoneRow;
        r->wParam = d.keyFlags & AllKeyFlags;
        StoreWindowTexts(d, r);
        break;
    default:
        break;
    }
}
