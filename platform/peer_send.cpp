// Bounded synchronous sends to other programs' windows.
#include "platform/peer_send.h"

bool SendToPeer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* reply)
{
    DWORD_PTR result = 0;
    // Not SMTO_BLOCK: while waiting, the calling thread still answers messages
    // sent to it, as it does in a plain SendMessage: a peer that sends back to
    // us while handling ours would otherwise be stuck with us until the time-out.
    // SMTO_ABORTIFHUNG: a peer the system already counts as hung costs nothing.
    LRESULT answered = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                           PeerSendTimeoutMs, &result);
    if (reply)
        *reply = answered ? (LRESULT)result : 0;
    return answered != 0;
}
