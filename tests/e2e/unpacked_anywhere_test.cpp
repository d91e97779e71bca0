// Quellon unpacked where anyone may drop files: it loads no DLL from its own
// folder and starts exactly the program a binding names.
#include <gtest/gtest.h>

#include "tests/support/bound_keys.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"

// What ran.exe logged in dir ("NAME|COMMAND LINE" lines), waiting for it.
static std::string RanLog(const std::string& dir, int tries = 300)
{
    std::string log;
    while (tries-- > 0
           && !(ReadWholeFile(dir + "ran.log", &log) && !log.empty() && log.back() == '\n'))
        Sleep(10);
    return log;
}

// Wine prefers its own DLLs; the override makes it look beside the exe
// first, as Windows does for a DLL that is no KnownDLL. winmm is ours to
// load, by its full path; combase is loaded by its name, for ole32, which
// the volume keys load by its full path at their first press (the master
// volume of Vista and later): only a search kept to System32 from the
// first step of start-up keeps it from the exe's folder.
TEST(UnpackedAnywhere, SystemDllsBesideTheExeAreNeverLoaded)
{
    for (const char* name : { "winmm", "combase" }) {
        const char overrides[] = "Software\\Wine\\AppDefaults\\quellon.exe\\DllOverrides";
        HKEY key;
        ASSERT_EQ(0, RegCreateKeyExA(HKEY_CURRENT_USER, overrides, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                                     NULL));
        RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)"native,builtin", 15);
        RegCloseKey(key);
        QuellonRun run;
        run.dir = MakeTempDir("planted");
        ASSERT_TRUE(CopyFileA((TestBinDir() + "planted\\winmm.dll").c_str(),
                              (run.dir + name + ".dll").c_str(), FALSE));
        ClearBindings();
        Binding(3, 0).type = 20;    // VOL+ runs "Volume Up"
        ASSERT_TRUE(WriteWholeFile(run.dir + "profile.cfg", std::string((const char*)&Binding(0, 0), ProfileSize)));
        ASSERT_TRUE(StartQuellon(&run, run.dir) && WaitForTrick(run));
        PressKey(run, 3);
        EXPECT_EQ(0, QuitQuellon(&run));
        RegDeleteKeyA(HKEY_CURRENT_USER, overrides);
        EXPECT_FALSE(FileExists(run.dir + "planted-dll-ran")) << name;
        CleanUpQuellon(&run);
    }
}

// Each row: a key (-1, POWER: the maker's TV application from the
// registry; -2, POWER once that application is gone and its registry path
// left behind), its binding, the folder whose ran.log shows what started.
TEST(UnpackedAnywhere, ProgramStartsAsTheBindingNamesIt)
{
    std::string apps = MakeTempDir("apps"), inner = apps + "Test App\\", app = inner + "app.exe";
    std::string ran = TestBinDir() + "ran.exe";
    CreateDirectoryA(inner.c_str(), NULL);
    for (const char* name : { "Test.exe", "Test App\\app.exe", "Test App\\WFTV.exe" })
        ASSERT_TRUE(CopyFileA(ran.c_str(), (apps + name).c_str(), FALSE)) << name;
    SetEnvironmentVariableA("QUELLON_APPS", apps.c_str());    // quellon.exe inherits it
    ClearVendorRegistry();
    SetVendorPathRaw("WFTV", REG_EXPAND_SZ, "%QUELLON_APPS%Test App", 23);
    // Where the test is 32-bit: a tool that exists only as a 64-bit program
    // in System32, which this test reaches as Sysnative.
    bool wow64 = sizeof(void*) == 4;
    std::string tool = "C:\\windows\\system32\\quellon-ran64.exe", real = "C:\\windows\\Sysnative\\";
    if (wow64) {
        ASSERT_TRUE(CopyFileA((ProductDir() + "..\\x86_64\\tests\\ran.exe").c_str(),
                              (real + "quellon-ran64.exe").c_str(), FALSE));
    }
    struct {
        int key;
        std::string path, params, ranIn, log;
    } rows[] = {
        { -1, "", "", inner, "WFTV.exe|\"" + inner + "WFTV.exe\"\n" },
        { 1, app, "", inner, "app.exe|\"" + app + "\" \n" },    // not apps + "Test.exe"
        { 2, "\"" + app + "\"", "/x y", inner, "app.exe|\"" + app + "\" /x y\n" },
        { 3, "bare", "p", "", "bare.exe|bare p\n" },    // found in quellon.exe's folder
        { -2, "", "", inner, "" },
        { wow64 ? 4 : 0, tool, "", real, "quellon-ran64.exe|\"" + tool + "\" \n" },
    };
    ClearBindings();
    for (auto& r : rows) {
        if (r.key < 1)
            continue;
        ActionRecord& b = Binding(r.key, 0);
        b.type = 31;
        lstrcpynA(b.programPath, r.path.c_str(), sizeof b.programPath);
        lstrcpynA(b.parameters, r.params.c_str(), sizeof b.parameters);
    }
    QuellonRun run;
    ASSERT_TRUE(StartBound(&run));
    ASSERT_TRUE(CopyFileA(ran.c_str(), (run.dir + "bare.exe").c_str(), FALSE));
    for (auto& r : rows) {
        if (r.key == 0)
            continue;
        std::string dir = r.ranIn.empty() ? run.dir : r.ranIn;
        DeleteFileA((dir + "ran.log").c_str());
        if (r.key == -2)
            DeleteFileA((inner + "WFTV.exe").c_str());
        PressKey(run, r.key < 0 ? -1 : r.key);
        EXPECT_EQ(r.log, RanLog(dir, r.log.empty() ? 50 : 300)) << "key " << r.key;
    }
    EXPECT_EQ("", RanLog(apps, 30)) << "the decoy ran";
    EXPECT_EQ(0, QuitQuellon(&run));
    CleanUpQuellon(&run);
    ClearVendorRegistry();
    DeleteFileA((real + "quellon-ran64.exe").c_str());
    DeleteFileA((real + "ran.log").c_str());
    RemoveTree(apps);
}
