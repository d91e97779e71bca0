// Winamp and the generic players in-process: what a player window receives,
// which status word the OSD slot shows, and that the word follows the command.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "actions/media_player.h"
#include "actions/winamp.h"
#include "config/settings.h"
#include "osd/osd.h"
#include "tests/support/standin.h"
#include "tests/support/test_window.h"

namespace {

// Every message of interest a player window got, as "message wParam lParam
// [status text at that moment]".
std::vector<std::string> Seen;
LRESULT QueryReply;    // the answer to Winamp's state queries and BSPlayer's volume read

bool IsQuery(UINT m, WPARAM w, LPARAM l)
{
    return (m == WM_USER && (l == 250 || l == 251)) || (m == WM_USER + 2 && w == 0x10105);
}

LRESULT CALLBACK PlayerProc(HWND window, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_COMMAND || m == WM_CLOSE || m == WM_USER || m == WM_USER + 2) {
        char osd[64], line[128];
        OsdText(OsdSlotStatus, osd, sizeof osd);
        _snprintf(line, sizeof line, "%u %d %d [%s]", m, (int)w, (int)l, osd);
        line[sizeof line - 1] = '\0';
        Seen.push_back(line);
        return IsQuery(m, w, l) ? QueryReply : 0;
    }
    return DefWindowProcA(window, m, w, l);
}

// A player window on this thread, so that each send runs PlayerProc at once.
HWND MakePlayer(const char* windowClass)
{
    return MakeTestWindow(windowClass, "", PlayerProc);
}

void SetUpStatusSlot()
{
    OsdSettings.Enable = 1;
    if (OsdSlotCount() == 0) {
        InitOsd();
        for (int i = 0; i < 3; ++i)
            CreateOsdSlot(1, 1, 0.01, 0.025);
    }
}

// Runs one action with an empty status slot; returns what the player saw,
// then the status word (or "-" when none was shown).
std::string RunAction(void (*action)(int32_t), int32_t value)
{
    Seen.clear();
    ShowOsdText(OsdSlotStatus, "");
    action(value);
    PumpMessagesFor(20);    // MV2 Player's commands are posted
    std::string all;
    for (const std::string& s : Seen)
        all += s + " | ";
    char osd[64];
    OsdText(OsdSlotStatus, osd, sizeof osd);
    return all + (osd[0] ? osd : "-");
}

}  // namespace

TEST(Players, WhatEachPlayerGetsAndTheWordShownAfterIt)
{
    SetUpStatusSlot();
    EXPECT_EQ("-", RunAction(WinampCommand, 40045));    // no Winamp: nothing at all
    EXPECT_EQ("-", RunAction(MediaPlayerCommand, 13));  // no player: nothing at all
    // The status text at the moment each message arrives is in brackets.
    struct Case { const char* player; void (*action)(int32_t); int32_t value; LRESULT reply;
                  const char* expect; } cases[] = {
        { "Winamp v1.x", WinampCommand, 40044, 0, "273 40044 0 [] | PREVIOUS" },
        { "Winamp v1.x", WinampCommand, 40045, 0, "273 40045 0 [] | PLAY" },
        { "Winamp v1.x", WinampCommand, 40047, 0, "273 40047 0 [] | STOP" },
        { "Winamp v1.x", WinampCommand, 40046, 0, "273 40046 0 [] | PAUSE" },
        { "Winamp v1.x", WinampCommand, 40048, 0, "273 40048 0 [] | NEXT" },
        { "Winamp v1.x", WinampCommand, 40058, 0, "273 40058 0 [] |  " },
        { "Winamp v1.x", WinampCommand, 40059, 0, "273 40059 0 [] |  " },
        { "Winamp v1.x", WinampCommand, 40060, 0, "273 40060 0 [] | FORWARD" },
        { "Winamp v1.x", WinampCommand, 40061, 0, "273 40061 0 [] | REWIND" },
        { "Winamp v1.x", WinampCommand, 252, 0, "1024 0 250 [] | 1024 1 252 [SHUFFLE ON] | SHUFFLE ON" },
        { "Winamp v1.x", WinampCommand, 252, 1, "1024 0 250 [] | 1024 0 252 [SHUFFLE OFF] | SHUFFLE OFF" },
        { "Winamp v1.x", WinampCommand, 252, 7, "1024 0 250 [] | 1024 0 252 [SHUFFLE OFF] | SHUFFLE OFF" },
        { "Winamp v1.x", WinampCommand, 253, 0, "1024 0 251 [] | 1024 1 253 [REPEAT ON] | REPEAT ON" },
        { "Winamp v1.x", WinampCommand, 253, 1, "1024 0 251 [] | 1024 0 253 [REPEAT OFF] | REPEAT OFF" },
        { "Winamp v1.x", WinampCommand, 253, 7, "1024 0 251 [] | 1024 0 253 [REPEAT OFF] | REPEAT OFF" },
        { "Winamp v1.x", WinampCommand, 16, 0, "16 0 0 [] | -" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 13, 0, "273 157 0 [] | PLAY" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 14, 0, "273 158 0 [] | STOP" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 15, 0, "273 161 0 [] | -" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 16, 0, "273 162 0 [] | -" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 17, 0, "273 163 0 [] | -" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 18, 0, "273 141 0 [] | -" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 19, 0, "16 0 0 [] | -" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 35, 0, "273 159 0 [] | REWIND" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 36, 0, "273 160 0 [] | FORWARD" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 62, 0, "273 164 0 [] | PREVIOUS" },
        { "MediaPlayerClassicW", MediaPlayerCommand, 63, 0, "273 165 0 [] | NEXT" },
        // Posted: the word is there before MV2 Player reads the command.
        { "MV2 Player", MediaPlayerCommand, 13, 0, "273 40103 2025 [PLAY] | PLAY" },
        // BSPlayer's volume, read then set, clamped at the end it moves towards.
        { "BSPlayer", MediaPlayerCommand, 15, 24, "1026 65797 0 [] | 1026 65796 24 [] | -" },
        { "BSPlayer", MediaPlayerCommand, 16, 24, "1026 65797 0 [] | 1026 65796 23 [] | -" },
        { "BSPlayer", MediaPlayerCommand, 16, 0, "1026 65797 0 [] | 1026 65796 0 [] | -" },
        { "BSPlayer", MediaPlayerCommand, 15, 0, "1026 65797 0 [] | 1026 65796 1 [] | -" },
        { "BSPlayer", MediaPlayerCommand, 15, 30, "1026 65797 0 [] | 1026 65796 24 [] | -" },
        { "BSPlayer", MediaPlayerCommand, 16, 30, "1026 65797 0 [] | 1026 65796 29 [] | -" },
        { "BSPlayer", MediaPlayerCommand, 16, -3, "1026 65797 0 [] | 1026 65796 0 [] | -" },
        { "BSPlayer", MediaPlayerCommand, 15, -3, "1026 65797 0 [] | 1026 65796 -2 [] | -" },
    };
    for (const Case& c : cases) {
        HWND player = MakePlayer(c.player);
        QueryReply = c.reply;
        EXPECT_EQ(c.expect, RunAction(c.action, c.value)) << c.player << " " << c.value << " " << c.reply;
        DestroyWindow(player);
    }
}

TEST(Players, OneThatStopsAnsweringCostsAboutASecondAndShowsNothing)
{
    SetUpStatusSlot();
    StandIn* winamp = CreateStandIn("Winamp v1.x", "");
    HangStandIn(winamp);
    ShowOsdText(OsdSlotStatus, "");
    DWORD start = GetTickCount();
    WinampCommand(252);
    WinampCommand(40045);
    MediaPlayerCommand(13);    // no generic player: nothing to wait for
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 1500u);
    EXPECT_LT(took, 5000u);
    char osd[64];
    OsdText(OsdSlotStatus, osd, sizeof osd);
    EXPECT_STREQ("", osd);
    ReleaseStandIn(winamp);
    // The unanswered query set nothing.
    PumpMessagesFor(200);
    RecordedMessage m;
    for (int i = 0; GetStandInMessage(winamp, WM_USER, i, &m); ++i)
        EXPECT_EQ(250, (int)m.lParam);
    DestroyStandIn(winamp);
}
