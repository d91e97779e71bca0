// quellon.exe handed files it did not write, and program folders at the
// edge of the path limit: it starts, takes every key, shows every slot in
// the Configuration dialog, exits cleanly, faults nowhere (a debugger
// watches) and writes back exactly what it loaded.
#include <gtest/gtest.h>
#include <string.h>

#include "core/profile.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"
#include "tests/support/quellon_run.h"
#include "tests/support/standin.h"

namespace {

const UINT RemoteKeyMessage = 0x0A00;

std::string RandomBytes(size_t n, unsigned seed)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = (char)(seed >> 16);
    }
    return s;
}

ActionRecord* Records(std::string& bytes)
{
    return (ActionRecord*)&bytes[0];
}

// Shutdown and reboot would end the test session: no file here binds them.
void WithoutShutdown(std::string& bytes)
{
    size_t whole = bytes.size() < (size_t)ProfileSize ? bytes.size() / 512 : (size_t)ProfileSize / 512;
    for (size_t i = 0; i < whole; ++i)
        if (Records(bytes)[i].type == 28 || Records(bytes)[i].type == 29)
            Records(bytes)[i].type = 0;
}

// Every slot type at the edges and inside the catalogue, with numbers
// outside every table and texts of every length up to a full field.
std::string TypeEdges()
{
    const int32_t types[] = { INT32_MIN, INT32_MIN + 1, -1, 0, 66, 67, 0x7FFFFFFF };
    const int32_t numbers[] = { INT32_MIN, -1, 0, 109, 110, 0x0A00, 0x7FFFFFFF };
    std::string bytes(ProfileSize, '\0');
    ActionRecord* r = Records(bytes);
    for (int i = 0; i < RemoteKeyCount * SlotsPerKey; ++i) {
        r[i].type = i < 65 ? i + 1 : types[i % 7];
        r[i].number = numbers[i % 7];
        r[i].wParam = numbers[(i + 1) % 7];
        r[i].lParam = numbers[(i + 2) % 7];
        memset(r[i].programPath, 'P', i % ProgramPathWidth);
        memset(r[i].windowClass, 'C', i % WindowClassWidth);
        memset(r[i].windowName, 'N', i % WindowNameWidth);
    }
    WithoutShutdown(bytes);
    return bytes;
}

// Program, message and key slots whose texts fill their fields with no terminator.
std::string UnterminatedTexts()
{
    std::string bytes(ProfileSize, 'Q');
    const int32_t types[] = { 31, 32, 60 };
    for (int i = 0; i < RemoteKeyCount * SlotsPerKey; ++i) {
        Records(bytes)[i].type = types[i % 3];
        Records(bytes)[i].number = i % 110;
    }
    return bytes;
}

std::string Random(size_t n, unsigned seed)
{
    std::string bytes = RandomBytes(n, seed);
    WithoutShutdown(bytes);
    return bytes;
}

// Random records of the three types with details. Without the byte 0x98
// (U+02DC, small tilde): Wine 8's 64-bit gdi32 reads out of bounds when an
// edit control draws that one character (GPOS_apply_MarkToLigature), a
// fault of the platform that any window showing it gets.
std::string RandomDetails()
{
    std::string bytes = RandomBytes(ProfileSize, 6);
    for (char& b : bytes)
        b = b == '\x98' ? '\x99' : b;
    const int32_t types[] = { 31, 32, 60 };
    for (int i = 0; i < RemoteKeyCount * SlotsPerKey; ++i)
        Records(bytes)[i].type = types[i % 3];
    return bytes;
}

// What the program must write back: the bytes it loaded, zero-filled or cut
// to the size of the profile.
std::string Loaded(const std::string& file)
{
    std::string expected = file.substr(0, ProfileSize);
    expected.resize(ProfileSize, '\0');
    return expected;
}

// Starts under the debugger, presses every code of the key table's range and
// some beyond it, quits; returns the number of faults.
int PressEveryKey(QuellonRun* run)
{
    if (!StartQuellonUnderDebugger(run, run->dir))
        return -1;
    HWND trick = WaitForTrick(*run);
    EXPECT_TRUE(trick != NULL);
    for (int code = -1; code <= 86; ++code)
        SendMessageA(trick, RemoteKeyMessage, (WPARAM)(DWORD)code, 0);
    SendMessageA(trick, RemoteKeyMessage, (WPARAM)0x80000000u, 0);
    EXPECT_EQ(0, QuitQuellon(run));
    std::string report;
    int faults = QuellonFaults(run, &report);
    EXPECT_EQ(0, faults) << report;
    return faults;
}

// A folder inside base whose full path, with the trailing backslash, is
// length characters.
std::string DirOfLength(const std::string& base, size_t length)
{
    std::string dir = base;
    while (dir.size() < length) {
        size_t rest = length - dir.size();
        size_t part = rest - 1 > 100 ? 100 : rest - 1;
        if (rest - (part + 1) == 1)
            --part;    // leave room for one more folder of at least one letter
        dir += std::string(part, 'd') + "\\";
        CreateDirectoryA(dir.c_str(), NULL);
    }
    return dir;
}

// %APPDATA%\Quellon\, the user's own folder for the files, emptied.
std::string ClearUserFilesDir()
{
    char appData[MAX_PATH] = "";
    GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    std::string dir = std::string(appData) + "\\Quellon\\";
    DeleteFileA((dir + "profile.cfg").c_str());
    DeleteFileA((dir + "settings.ini").c_str());
    RemoveDirectoryA(dir.c_str());
    return dir;
}

}  // namespace

TEST(BadProfile, AnyContentStartsTakesEveryKeyAndIsWrittenBackAsLoaded)
{
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "empty", "" },
        { "one byte", "\x1F" },
        { "98303 random bytes", Random(ProfileSize - 1, 1) },
        { "98304 random bytes", Random(ProfileSize, 2) },
        { "98305 random bytes", Random(ProfileSize + 1, 3) },
        { "5 MB random bytes", Random(5 << 20, 4) },
        { "type and number edges", TypeEdges() },
        { "texts without terminators", UnterminatedTexts() },
    };
    for (const Case& c : cases) {
        QuellonRun run;
        run.dir = MakeTempDir("badprofile");
        ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", c.bytes)) << c.name;
        EXPECT_EQ(0, PressEveryKey(&run)) << c.name;
        std::string saved;
        EXPECT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &saved)) << c.name;
        EXPECT_TRUE(saved == Loaded(c.bytes)) << c.name << ": " << saved.size() << " bytes";
        EXPECT_FALSE(FileExists(run.dir + "profile.cfg.tmp")) << c.name;
        CleanUpQuellon(&run);
    }
}

TEST(BadProfile, EverySlotOpenedInTheConfigurationDialogFaultsNowhereAndChangesNothing)
{
    const int DetailsButtons[SlotsPerKey] = { 1004, 1009, 1010, 1011 };
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "type and number edges", TypeEdges() },
        { "texts without terminators", UnterminatedTexts() },
        { "random records with details", RandomDetails() },
    };
    for (Case& c : cases) {
        QuellonRun run;
        run.dir = MakeTempDir("badconfig");
        ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", c.bytes)) << c.name;
        ASSERT_TRUE(StartQuellonUnderDebugger(&run, run.dir)) << c.name;
        ShowWindow(run.config, SW_SHOW);
        int opened = 0, withDetails = 0;
        for (int key = 0; key < RemoteKeyCount; ++key) {
            ChooseListRow(run.config, 1000, key);
            for (int s = 0; s < SlotsPerKey; ++s) {
                int32_t type = Records(c.bytes)[key * SlotsPerKey + s].type;
                withDetails += key > 0 && (type == 31 || type == 32 || type == 60);
                if (IsControlEnabled(run.config, DetailsButtons[s])) {
                    ClickControl(run.config, DetailsButtons[s]);
                    ++opened;
                }
            }
        }
        EXPECT_EQ(withDetails, opened) << c.name;
        EXPECT_EQ(0, QuitQuellon(&run)) << c.name;
        std::string report, saved;
        EXPECT_EQ(0, QuellonFaults(&run, &report)) << c.name << "\n" << report;
        EXPECT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &saved)) << c.name;
        EXPECT_TRUE(saved == c.bytes) << c.name;
        CleanUpQuellon(&run);
    }
}

TEST(BadSettings, UnusualOrUnwritableSettingsStillStartAndAreLeftAsTheyWere)
{
    struct Case {
        const char* name;
        std::string content;
        bool readOnly;
    } cases[] = {
        { "empty values and text", "[OSD]\r\nEnable=\r\nTimeout=soon\r\nTextSize=99999999999\r\n", false },
        { "duplicates, no final newline", "[OSD]\r\nEnable=1\r\nEnable=0\r\n[OSD]\r\nColor=1", false },
        { "binary junk", RandomBytes(3000, 5), false },
        { "read-only", "[OSD]\r\nEnable=1\r\nTimeout=7\r\n", true },
    };
    for (const Case& c : cases) {
        QuellonRun run;
        run.dir = MakeTempDir("badsettings");
        std::string path = run.dir + "settings.ini";
        ASSERT_TRUE(WriteWholeFile(path, c.content)) << c.name;
        if (c.readOnly)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        std::string after, user = ClearUserFilesDir();
        EXPECT_EQ(0, PressEveryKey(&run)) << c.name;
        EXPECT_TRUE(ReadWholeFile(path, &after)) << c.name;
        if (c.readOnly) {    // a file that may not be replaced goes to the user's own folder
            EXPECT_TRUE(after == c.content) << c.name;
            EXPECT_EQ("Timeout=7", NonBlankLines(user + "settings.ini").at(2));
        }
        EXPECT_EQ(ProfileSize, FileSize(run.dir + "profile.cfg")) << c.name;
        ClearUserFilesDir();
        CleanUpQuellon(&run);
    }
    // A folder in the place of settings.ini stays a folder.
    QuellonRun run;
    run.dir = MakeTempDir("badsettings");
    ASSERT_TRUE(CreateDirectoryA((run.dir + "settings.ini").c_str(), NULL));
    EXPECT_EQ(0, PressEveryKey(&run));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY,
              GetFileAttributesA((run.dir + "settings.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    CleanUpQuellon(&run);
}

TEST(LongProgramDir, NearTheLimitSavesBeyondItReportsAndWritesNothingElsewhere)
{
    // Under Wine no program whose full path reaches 260 characters starts:
    // "quellon.exe" (11) leaves folders of up to 248 characters.
    struct Case {
        size_t length;
        bool profileUsed;    // read at start and saved at exit
        int settingsSaved;
    } cases[] = {
        { 243, true, true },     // settings.ini: 255 characters, the most that is used
        { 244, true, false },    // profile.cfg: 255
        { 245, false, false },
        { 248, false, false },
    };
    for (const Case& c : cases) {
        std::string base = MakeTempDir("long");
        QuellonRun run;
        run.dir = DirOfLength(base, c.length);
        ASSERT_EQ(c.length, run.dir.size());
        std::string parent = run.dir.substr(0, run.dir.size() - 1);
        parent = parent.substr(0, parent.find_last_of('\\') + 1);
        // Too long a path: the bindings on disk are never read, so they must
        // not be overwritten either. VOL+ posts to the target when they are read.
        std::string profile(ProfileSize, '\0');
        ActionRecord& r = Records(profile)[3 * SlotsPerKey];
        r.type = 32;
        strcpy(r.windowClass, "QuellonLongDirTarget");
        r.number = WM_APP + 5;
        ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", profile));
        StandIn* target = CreateStandIn("QuellonLongDirTarget", "Target");
        BoxWatch* watch = WatchMessageBoxes("ERROR");
        EXPECT_EQ(0, PressEveryKey(&run)) << c.length;
        PumpMessagesFor(100);
        EXPECT_EQ(c.profileUsed ? 1 : 0, CountStandInMessages(target, WM_APP + 5)) << c.length;
        DestroyStandIn(target);
        std::string text;
        EXPECT_EQ(c.profileUsed ? 0 : 1, StopWatchingMessageBoxes(watch, &text)) << c.length;
        if (!c.profileUsed) {
            EXPECT_EQ("Error encountered saving configuration", text) << c.length;
        }
        std::string saved;
        EXPECT_TRUE(ReadWholeFile(run.dir + "profile.cfg", &saved)) << c.length;
        EXPECT_TRUE(saved == profile) << c.length;
        EXPECT_EQ(c.settingsSaved, FileExists(run.dir + "settings.ini")) << c.length;
        // Nothing was written under a cut name, in the folder or above it.
        WIN32_FIND_DATAA fd;
        int entries = 0;
        HANDLE h = FindFirstFileA((run.dir + "*").c_str(), &fd);
        do
            entries += fd.cFileName[0] != '.';
        while (h != INVALID_HANDLE_VALUE && FindNextFileA(h, &fd));
        FindClose(h);
        // profile.held, as long a name as settings.ini, is saved where that is.
        EXPECT_EQ(2 + 2 * c.settingsSaved, entries) << c.length;
        EXPECT_FALSE(FileExists(parent + "profile.cfg")) << c.length;
        EXPECT_FALSE(FileExists(parent + "settings.ini")) << c.length;
        CleanUpQuellon(&run);
        RemoveTree(base);
    }
}

// A program folder that cannot be written, as Program Files cannot: the
// files are saved in the user's own folder, which the About box names.
TEST(UserFolder, AnUnwritableProgramFolderKeepsTheFilesInAppData)
{
    std::string dir = ProductDir() + "readonly-program\\";
    std::string probe = dir + "probe.tmp";
    if (WriteWholeFile(probe, "x") || !FileExists(dir + "quellon.exe")) {
        DeleteFileA(probe.c_str());
        GTEST_SKIP() << "no unwritable program folder here (the test scripts make one with chattr)";
    }
    char appData[MAX_PATH] = "";
    ASSERT_TRUE(GetEnvironmentVariableA("APPDATA", appData, sizeof appData) > 0);
    std::string user = std::string(appData) + "\\Quellon\\";
    DeleteFileA((user + "profile.cfg").c_str());
    DeleteFileA((user + "settings.ini").c_str());
    RemoveDirectoryA(user.c_str());

    QuellonRun run;
    ASSERT_TRUE(StartQuellon(&run, dir));
    ShowWindow(run.config, SW_SHOW);
    DialogWatch* about = WatchDialogs({ "About this ...", IDOK, 0xFFFF, { 0 }, { NULL } });
    PressDialogKey(run.config, VK_ESCAPE);
    EXPECT_TRUE(WaitForAnswers(about, 1, 5000));
    std::string text;
    EXPECT_EQ(1, StopWatchingDialogs(about, &text));
    EXPECT_NE(std::string::npos, text.find(user)) << text;
    EXPECT_EQ(0, QuitQuellon(&run));
    EXPECT_EQ(98304, FileSize(user + "profile.cfg"));
    EXPECT_TRUE(FileExists(user + "settings.ini"));
    EXPECT_FALSE(FileExists(dir + "profile.cfg"));
    DeleteFileA((user + "profile.cfg").c_str());
    DeleteFileA((user + "settings.ini").c_str());
    RemoveDirectoryA(user.c_str());
}
