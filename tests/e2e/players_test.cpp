// quellon.exe driving media players as the remote's keys are pressed: what
// each player's window receives for each action type, which player is
// chosen, and a player that stops answering while another sender's key waits.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include "tests/support/bound_keys.h"
#include "tests/support/standin.h"

namespace {

// Key 1 + i runs generic type GenericTypes[i].
const int32_t GenericTypes[11] = { 13, 14, 15, 16, 17, 18, 19, 35, 36, 62, 63 };
enum { WinampKey = 12, HangKey = 13, Witness = WM_APP + 5 };

// The player commands a stand-in got from index from on, as "message wParam lParam; ...".
std::string PlayerMessages(StandIn* s, int from)
{
    std::string text;
    RecordedMessage m;
    for (int i = from; GetStandInMessageAt(s, i, &m); ++i) {
        if (m.message != WM_COMMAND && m.message != WM_CLOSE && m.message != WM_USER &&
            m.message != WM_USER + 2)
            continue;
        char one[64];
        _snprintf(one, sizeof one, "%s%u %u %d", text.empty() ? "" : "; ", m.message,
                  (unsigned)m.wParam, (int)m.lParam);
        one[sizeof one - 1] = '\0';
        text += one;
    }
    return text;
}

struct Expectation {
    StandIn* s;
    int from;
    const char* text;
};

bool Matches(void* arg)
{
    Expectation* e = (Expectation*)arg;
    return PlayerMessages(e->s, e->from) == e->text;
}

// Presses the key and checks what the player got for it (posts come late).
void ExpectPress(const QuellonRun& run, int key, StandIn* player, const char* expect)
{
    Expectation e = { player, CountAllStandInMessages(player), expect };
    PressKey(run, key);
    if (*expect)
        WaitUntil(Matches, &e, 3000);
    else
        PumpMessagesFor(30);
    EXPECT_EQ(expect, PlayerMessages(player, e.from)) << "key " << key;
}

DWORD WINAPI PressHangKey(LPVOID run)
{
    PressKey(*(QuellonRun*)run, HangKey);
    return 0;
}

StandIn* Player(const char* windowClass)
{
    StandIn* s = CreateStandIn(windowClass, "");
    SetStandInReply(s, WM_CLOSE, 0);         // stays for the next command
    SetStandInReply(s, WM_USER + 2, 10);     // BSPlayer's volume
    return s;
}

void BindAll()
{
    ClearBindings();
    for (int i = 0; i < 11; ++i)
        Binding(1 + i, 0).type = GenericTypes[i];
    int winamp[4] = { 3, 4, 10, 12 };    // Stop, Pause, Shuffle, Close
    for (int s = 0; s < 4; ++s)
        Binding(WinampKey, s).type = winamp[s];
    Binding(HangKey, 0).type = 2;        // Winamp Play
    Binding(HangKey, 1).type = 13;       // Media Player Play/Pause
    ActionRecord& w = Binding(HangKey, 2);
    w.type = 32;
    strcpy(w.windowClass, "QuellonWitness");
    w.number = Witness;
    ActionRecord& v = Binding(HangKey, 3);    // Winamp's window brought to the front and back
    v.type = 60;
    strcpy(v.windowClass, "Winamp v1.x");
    v.number = 91;    // the "None" row: no key is typed
    v.wParam = 0x30;
}

}  // namespace

TEST(Players, EachPlayerGetsItsOwnCommandForEachType)
{
    const char* cls[6] = { "Media Player 2", "WMP Skin Host", "MediaPlayerClassicA",
                           "MediaPlayerClassicW", "MV2 Player", "BSPlayer" };
    // One row per type, one column per player, as "message wParam lParam".
    const char* expect[11][6] = {
        { "273 3047 0", "273 18808 0", "273 889 0", "273 157 0", "273 40103 2025", "1026 21 0" },
        { "273 3048 0", "273 18809 0", "273 890 0", "273 158 0", "273 40104 2025", "1026 22 0" },
        { "273 3055 0", "273 18815 0", "273 907 0", "273 161 0", "273 40143 2025",
          "1026 65797 0; 1026 65796 11" },
        { "273 3056 0", "273 18816 0", "273 908 0", "273 162 0", "273 40144 2025",
          "1026 65797 0; 1026 65796 9" },
        { "273 3057 0", "273 18817 0", "273 909 0", "273 163 0", "273 40142 2025", "1026 35 0" },
        { "273 3042 0", "273 18782 0", "273 830 0", "273 141 0", "273 40182 2025", "1026 10 0" },
        { "16 0 0", "16 0 0", "16 0 0", "16 0 0", "273 40280 2025", "1026 77 0" },
        { "", "", "273 894 0", "273 159 0", "273 40124 2025", "1026 106 0" },
        { "", "", "273 895 0", "273 160 0", "273 40121 2025", "1026 105 0" },
        { "", "273 18810 0", "273 920 0", "273 164 0", "273 40200 2025", "1026 25 0" },
        { "", "273 18811 0", "273 921 0", "273 165 0", "273 40201 2025", "1026 28 0" },
    };
    BindAll();
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    StandIn* other = CreateStandIn("Winamp v1.x", "");    // not a generic player
    for (int p = 0; p < 6; ++p) {
        StandIn* player = Player(cls[p]);
        for (int t = 0; t < 11; ++t)
            ExpectPress(run, 1 + t, player, expect[t][p]);
        DestroyStandIn(player);
    }
    EXPECT_EQ("", PlayerMessages(other, 0));

    // The first player running decides, even when it ignores the type.
    StandIn* mp2 = Player("Media Player 2");
    StandIn* mpc = Player("MediaPlayerClassicA");
    ExpectPress(run, 8, mp2, "");
    ExpectPress(run, 1, mp2, "273 3047 0");
    EXPECT_EQ("", PlayerMessages(mpc, 0));
    DestroyStandIn(mp2);
    DestroyStandIn(mpc);
    StandIn* skin = Player("WMP Skin Host");
    StandIn* app = Player("WMPlayerApp");
    ExpectPress(run, 10, app, "273 18810 0");
    EXPECT_EQ("", PlayerMessages(skin, 0));
    DestroyStandIn(skin);
    DestroyStandIn(app);

    // Winamp's Stop and Pause, the shuffle query answered 0 then set to 1, close.
    SetStandInReply(other, WM_USER, 0);
    SetStandInReply(other, WM_CLOSE, 0);
    ExpectPress(run, WinampKey, other, "273 40047 0; 273 40046 0; 1024 0 250; 1024 1 252; 16 0 0");
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(other);
}

TEST(Players, APlayerThatStopsAnsweringDoesNotStopTheOtherActions)
{
    BindAll();
    Binding(14, 0) = Binding(HangKey, 2);    // the witness, told 1
    Binding(14, 0).wParam = 1;
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    StandIn* winamp = Player("Winamp v1.x");
    StandIn* mpc = Player("MediaPlayerClassicW");
    StandIn* witness = CreateStandIn("QuellonWitness", "");
    HangStandIn(winamp);
    HangStandIn(mpc);
    for (int press = 1; press <= 2; ++press) {
        DWORD start = GetTickCount();
        PressKey(run, HangKey);
        DWORD took = GetTickCount() - start;
        EXPECT_TRUE(WaitForStandInMessages(witness, Witness, press, 3000));
        EXPECT_LT(took, 6000u) << "press " << press;    // about one second per silent peer
    }
    // A second sender's key 0.1 s into that wait runs after all of the first's actions.
    HANDLE first = CreateThread(NULL, 0, PressHangKey, &run, 0, NULL);
    Sleep(100);
    PressKey(run, 14);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, 10000));
    CloseHandle(first);
    RecordedMessage m;
    EXPECT_TRUE(WaitForStandInMessages(witness, Witness, 4, 3000) &&
                GetStandInMessage(witness, Witness, 3, &m) && m.wParam == 1);
    ReleaseStandIn(winamp);
    ReleaseStandIn(mpc);
    // Once they answer again, everything is as before.
    PumpMessagesFor(300);
    int commands = CountStandInMessages(mpc, WM_COMMAND);
    PressKey(run, HangKey);
    EXPECT_TRUE(WaitForStandInMessages(witness, Witness, 5, 3000));
    EXPECT_EQ(commands + 1, CountStandInMessages(mpc, WM_COMMAND));
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    DestroyStandIn(witness);
    DestroyStandIn(mpc);
    DestroyStandIn(winamp);
}
