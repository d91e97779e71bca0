// The card maker's application paths from the registry, and which of the
// applications the POWER key starts.
#include <gtest/gtest.h>
#include <string.h>

#include "core/text.h"
#include "core/vendor_apps.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/standin.h"

namespace {

// A folder holding ran.exe under the names of the maker's applications.
struct VendorInstall {
    std::string dir;    // without the trailing backslash, as the installer stores it
    std::string log;
};

VendorInstall InstallVendorApps(const char* const* names, int count)
{
    ClearVendorRegistry();
    std::string dir = MakeTempDir("vendor");
    for (int i = 0; i < count; ++i)
        CopyFileA((TestBinDir() + "ran.exe").c_str(), (dir + names[i]).c_str(), FALSE);
    VendorInstall v;
    v.dir = dir.substr(0, dir.size() - 1);
    v.log = dir + "ran.log";
    return v;
}

const char* const AllApps[] = { "WFTV.exe", "WFFM.exe", "DVBTAP.exe" };

// Names of the programs that ran, in order, waiting for the expected count.
std::string WaitForRuns(const VendorInstall& v, int expected)
{
    std::string log;
    for (int i = 0; i < 300; ++i) {
        ReadWholeFile(v.log, &log);
        int lines = 0;
        for (char c : log)
            lines += c == '\n';
        if (lines >= expected)
            break;
        Sleep(10);
    }
    if (expected == 0)
        Sleep(300);    // give a wrongly started program the time to show up
    ReadWholeFile(v.log, &log);
    std::string names;
    size_t at = 0;
    while (at < log.size()) {
        size_t bar = log.find('|', at);
        size_t end = log.find('\n', at);
        if (bar == std::string::npos || end == std::string::npos)
            break;
        names += (names.empty() ? "" : ",") + log.substr(at, bar - at);
        at = end + 1;
    }
    return names;
}

void Finish(const VendorInstall& v)
{
    ClearVendorRegistry();
    RemoveTree(v.dir + "\\");
    memset(VendorAppPaths, 0, sizeof VendorAppPaths);
}

}  // namespace

TEST(VendorPaths, InstallDirectoryAndFileNameMakeTheCommandLines)
{
    VendorInstall v = InstallVendorApps(AllApps, 3);
    SetVendorPath("WFTV", v.dir);
    SetVendorPath("WFFM", "D:\\Radio");
    SetVendorPath("WFDVB-T", "E:\\Dvb T");
    BuildVendorAppPaths();
    EXPECT_EQ(v.dir + "\\WFTV.exe", VendorAppPaths[VendorTv]);
    EXPECT_STREQ("D:\\Radio\\WFFM.exe", VendorAppPaths[VendorFm]);
    EXPECT_STREQ("E:\\Dvb T\\DVBTAP.exe", VendorAppPaths[VendorDvbt]);
    Finish(v);
}

TEST(VendorPaths, MissingKeysLeaveEmptyCommandLinesAndPowerStartsNothing)
{
    VendorInstall v = InstallVendorApps(AllApps, 3);
    strcpy(VendorAppPaths[VendorTv], "stale");
    BuildVendorAppPaths();
    for (int i = 0; i < VendorAppCount; ++i)
        EXPECT_STREQ("", VendorAppPaths[i]) << i;
    LaunchVendorApp();
    EXPECT_EQ("", WaitForRuns(v, 0));
    Finish(v);
}

TEST(VendorPaths, ValuesThatAreNoStringOrTooLongCountAsNotFound)
{
    VendorInstall v = InstallVendorApps(AllApps, 0);
    DWORD number = 7;
    SetVendorPathRaw("WFTV", REG_DWORD, &number, sizeof number);
    // 502 characters leave just room for "\WFFM.exe" and the NUL; 503 do not.
    std::string fits(502, 'f');
    std::string tooLong(501, 'd');    // "\DVBTAP.exe" is 11 characters: 500 would fit
    SetVendorPath("WFFM", fits);
    SetVendorPath("WFDVB-T", tooLong);
    BuildVendorAppPaths();
    EXPECT_STREQ("", VendorAppPaths[VendorTv]);
    EXPECT_EQ(fits + "\\WFFM.exe", VendorAppPaths[VendorFm]);
    EXPECT_STREQ("", VendorAppPaths[VendorDvbt]);
    SetVendorPath("WFFM", std::string(503, 'f'));
    BuildVendorAppPaths();
    EXPECT_STREQ("", VendorAppPaths[VendorFm]);
    Finish(v);
}

TEST(VendorPaths, StringWithoutTerminatorIsStillEnded)
{
    VendorInstall v = InstallVendorApps(AllApps, 0);
    SetVendorPathRaw("WFTV", REG_SZ, "C:\\TVx", 5);    // "C:\TV" and no NUL
    BuildVendorAppPaths();
    EXPECT_STREQ("C:\\TV\\WFTV.exe", VendorAppPaths[VendorTv]);
    Finish(v);
}

TEST(LaunchVendor, TvAloneIsStarted)
{
    VendorInstall v = InstallVendorApps(AllApps, 3);
    SetVendorPath("WFTV", v.dir);
    BuildVendorAppPaths();
    LaunchVendorApp();
    EXPECT_EQ("WFTV.exe", WaitForRuns(v, 1));
    Finish(v);
}

TEST(LaunchVendor, DvbtIsPreferredOverTv)
{
    VendorInstall v = InstallVendorApps(AllApps, 3);
    SetVendorPath("WFTV", v.dir);
    SetVendorPath("WFDVB-T", v.dir);
    BuildVendorAppPaths();
    LaunchVendorApp();
    EXPECT_EQ("DVBTAP.exe", WaitForRuns(v, 1));
    Finish(v);
}

TEST(LaunchVendor, DvbtThatCannotStartFallsBackToTv)
{
    const char* const tvOnly[] = { "WFTV.exe" };
    VendorInstall v = InstallVendorApps(tvOnly, 1);
    SetVendorPath("WFTV", v.dir);
    SetVendorPath("WFDVB-T", v.dir);    // no DVBTAP.exe there
    BuildVendorAppPaths();
    LaunchVendorApp();
    EXPECT_EQ("WFTV.exe", WaitForRuns(v, 1));
    Finish(v);
}

TEST(LaunchVendor, PreviousSelectsFm)
{
    VendorInstall v = InstallVendorApps(AllApps, 3);
    SetVendorPath("WFTV", v.dir);
    SetVendorPath("WFFM", v.dir);
    SetVendorPath("WFDVB-T", v.dir);
    SetPreviousSelector(1);
    BuildVendorAppPaths();
    LaunchVendorApp();
    EXPECT_EQ("WFFM.exe", WaitForRuns(v, 1));
    Finish(v);
}

TEST(LaunchVendor, PreviousWithoutFmStartsNothingElse)
{
    VendorInstall v = InstallVendorApps(AllApps, 3);
    SetVendorPath("WFTV", v.dir);
    SetVendorPath("WFDVB-T", v.dir);
    SetPreviousSelector(1);
    BuildVendorAppPaths();
    LaunchVendorApp();
    EXPECT_EQ("", WaitForRuns(v, 0));
    Finish(v);
}

TEST(LaunchVendor, PreviousZeroMeansTv)
{
    VendorInstall v = InstallVendorApps(AllApps, 3);
    SetVendorPath("WFTV", v.dir);
    SetVendorPath("WFFM", v.dir);
    SetPreviousSelector(0);
    BuildVendorAppPaths();
    LaunchVendorApp();
    EXPECT_EQ("WFTV.exe", WaitForRuns(v, 1));
    Finish(v);
}

TEST(VendorPaths, WrongTypesAndLongValuesLeaveAPathEmptyOrWholeAndPowerHarmless)
{
    std::string s500(500, 'p'), s511(511, 'p'), s600(600, 'p');
    DWORD dword = 0x41414141;
    struct {
        const char* name;
        DWORD type;
        std::string data;    // as stored, terminator included where there is one
        std::string path;    // the TV command line expected
    } cases[] = {
        { "500 characters", REG_SZ, s500 + '\0', s500 + "\\WFTV.exe" },
        { "500 characters, expandable", REG_EXPAND_SZ, s500 + '\0', s500 + "\\WFTV.exe" },
        { "511 characters", REG_SZ, s511 + '\0', "" },
        { "512 characters, no terminator", REG_SZ, s511 + 'p', "" },
        { "600 characters", REG_SZ, s600 + '\0', "" },
        { "600 bytes of binary", REG_BINARY, s600, "" },
        { "multi-string", REG_MULTI_SZ, std::string("C:\\TV\0D:\\X\0\0", 12), "" },
        { "number", REG_DWORD, std::string((const char*)&dword, 4), "" },
        { "no type", REG_NONE, "C:\\TV", "" },
    };
    VendorInstall v = InstallVendorApps(AllApps, 0);
    for (auto& c : cases) {
        SetVendorPathRaw("WFTV", c.type, c.data.data(), (DWORD)c.data.size());
        memset(VendorAppPaths, 'x', sizeof VendorAppPaths);
        BuildVendorAppPaths();
        ASSERT_GT((size_t)VendorPathSize, FieldLength(VendorAppPaths[VendorTv], VendorPathSize))
            << c.name;
        EXPECT_EQ(c.path, VendorAppPaths[VendorTv]) << c.name;
        EXPECT_STREQ("", VendorAppPaths[VendorFm]) << c.name;
        LaunchVendorApp();    // POWER: starts nothing that is not there
    }
    EXPECT_EQ("", WaitForRuns(v, 0));
    Finish(v);
}
