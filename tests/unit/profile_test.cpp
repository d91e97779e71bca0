// profile.cfg: its layout, loading, and saving that never loses the old file.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "config/settings.h"
#include "core/app_state.h"
#include "platform/paths.h"
#include "core/profile.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"

namespace {

struct ProfileDir {
    std::string dir;
    std::string file;
};

ProfileDir UseTempProgramDir()
{
    ProfileDir p;
    p.dir = MakeTempDir("profile");
    lstrcpynW(ProgramDir, Utf16(p.dir).c_str(), ProgramDirSize);
    p.file = p.dir + "profile.cfg";
    memset(Profile, 0, sizeof Profile);
    LoadProfile();    // nothing is saved before it
    return p;
}

// Fills the Profile with a pattern in which every byte position differs.
std::string PatternBytes()
{
    std::string bytes(ProfileSize, '\0');
    for (int i = 0; i < ProfileSize; ++i)
        bytes[i] = (char)((i * 7 + i / 251) & 0xFF);
    return bytes;
}

std::string ProfileBytes()
{
    return std::string((const char*)Profile, ProfileSize);
}

const char SaveError[] = "Error encountered saving configuration";

}  // namespace

TEST(ProfileLayout, RecordOffsetsMatchTheFileFormat)
{
    memset(Profile, 0, sizeof Profile);
    ActionRecord& r = Profile[3].slot[2];
    r.type = 0x11223344;
    r.number = 0x55667788;
    const unsigned char* bytes = (const unsigned char*)Profile;
    const size_t at = 3 * 2048 + 2 * 512;
    EXPECT_EQ((const void*)&r, (const void*)(bytes + at));
    EXPECT_EQ(0x44, bytes[at]);    // little-endian type first
    EXPECT_EQ(0x11, bytes[at + 3]);
    EXPECT_EQ(0x88, bytes[at + 500]);
    EXPECT_EQ(98304u, sizeof Profile);
}

TEST(ProfileFile, MissingFileLeavesEveryKeyNone)
{
    ProfileDir p = UseTempProgramDir();
    LoadProfile();
    EXPECT_EQ(std::string(ProfileSize, '\0'), ProfileBytes());
    RemoveTree(p.dir);
}

TEST(ProfileFile, FirstSaveWritesZerosExceptTheEdit)
{
    ProfileDir p = UseTempProgramDir();
    Profile[5].slot[1].type = 31;
    lstrcpynA(Profile[5].slot[1].programPath, "C:\\x.exe", ProgramPathWidth);
    ASSERT_TRUE(SaveProfile());
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(p.file, &bytes));
    ASSERT_EQ((size_t)ProfileSize, bytes.size());
    std::string expected(ProfileSize, '\0');
    size_t at = 5 * 2048 + 512;
    expected[at] = 31;
    memcpy(&expected[at + 4], "C:\\x.exe", 8);
    EXPECT_TRUE(expected == bytes);
    EXPECT_FALSE(FileExists(p.file + ".tmp"));
    RemoveTree(p.dir);
}

TEST(ProfileFile, SaveAndLoadRoundTripEveryByte)
{
    ProfileDir p = UseTempProgramDir();
    std::string pattern = PatternBytes();
    memcpy(Profile, pattern.data(), ProfileSize);
    // A type-31 record that keeps the window texts of an earlier type-32 edit,
    // and stale bytes behind a shortened text.
    ActionRecord& r = Profile[7].slot[3];
    r.type = 31;
    memcpy(r.windowClass, "OldClass\0zz", 11);
    memcpy(r.programPath, "ab\0stale-bytes", 14);
    std::string saved = ProfileBytes();
    ASSERT_TRUE(SaveProfile());
    memset(Profile, 0, sizeof Profile);
    LoadProfile();
    EXPECT_TRUE(saved == ProfileBytes());
    EXPECT_EQ(0, memcmp(Profile[7].slot[3].programPath, "ab\0stale-bytes", 14));
    EXPECT_EQ(ProfileSize, FileSize(p.file));
    RemoveTree(p.dir);
}

TEST(ProfileFile, ShortFileFillsTheStartAndLeavesTheRest)
{
    ProfileDir p = UseTempProgramDir();
    std::string pattern = PatternBytes();
    ASSERT_TRUE(WriteWholeFile(p.file, pattern.substr(0, 5000)));
    LoadProfile();
    std::string expected = pattern.substr(0, 5000) + std::string(ProfileSize - 5000, '\0');
    EXPECT_TRUE(expected == ProfileBytes());
    RemoveTree(p.dir);
}

TEST(ProfileFile, LongFileIsCutToItsFirst98304BytesOnTheNextSave)
{
    ProfileDir p = UseTempProgramDir();
    std::string pattern = PatternBytes();
    ASSERT_TRUE(WriteWholeFile(p.file, pattern + std::string(1000, 'x')));
    LoadProfile();
    EXPECT_TRUE(pattern == ProfileBytes());
    ASSERT_TRUE(SaveProfile());
    EXPECT_EQ(ProfileSize, FileSize(p.file));
    RemoveTree(p.dir);
}

// Each way a save can fail must show the one error message and keep the old
// file byte for byte.
namespace {

void ExpectFailedSaveKeepsOldFile(const ProfileDir& p, const std::string& oldBytes)
{
    memset(Profile, 0x5A, sizeof Profile);
    BoxWatch* watch = WatchMessageBoxes("ERROR");
    EXPECT_FALSE(SaveProfile());
    std::string text;
    EXPECT_EQ(1, StopWatchingMessageBoxes(watch, &text));
    EXPECT_EQ(SaveError, text);
    EXPECT_FALSE(FileExists(p.file + ".tmp"));
    std::string now;
    if (!oldBytes.empty()) {
        ASSERT_TRUE(ReadWholeFile(p.file, &now));
        EXPECT_TRUE(oldBytes == now);
    }
}

}  // namespace

TEST(ProfileSaveFailure, ReadOnlyFileIsKept)
{
    ProfileDir p = UseTempProgramDir();
    std::string old = PatternBytes();
    ASSERT_TRUE(WriteWholeFile(p.file, old));
    SetFileAttributesA(p.file.c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectFailedSaveKeepsOldFile(p, old);
    RemoveTree(p.dir);
}

TEST(ProfileSaveFailure, FileLockedByAnotherProgramIsKept)
{
    ProfileDir p = UseTempProgramDir();
    std::string old = PatternBytes();
    ASSERT_TRUE(WriteWholeFile(p.file, old));
    HANDLE lock = CreateFileA(p.file.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    memset(Profile, 0x5A, sizeof Profile);
    BoxWatch* watch = WatchMessageBoxes("ERROR");
    EXPECT_FALSE(SaveProfile());
    std::string text;
    EXPECT_EQ(1, StopWatchingMessageBoxes(watch, &text));
    EXPECT_EQ(SaveError, text);
    CloseHandle(lock);
    std::string now;
    ASSERT_TRUE(ReadWholeFile(p.file, &now));
    EXPECT_TRUE(old == now);
    EXPECT_FALSE(FileExists(p.file + ".tmp"));
    RemoveTree(p.dir);
}

DWORD WINAPI LetGoAfterASecond(LPVOID file)
{
    Sleep(1000);
    return CloseHandle(file);
}

// A sync client or a virus scanner holding the file without delete sharing.
TEST(ProfileSave, FileHeldForASecondIsWaitedFor)
{
    ProfileDir p = UseTempProgramDir();
    std::string now;
    ASSERT_TRUE(WriteWholeFile(p.file, PatternBytes()));
    HANDLE held = CreateFileA(p.file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    CloseHandle(CreateThread(NULL, 0, LetGoAfterASecond, held, 0, NULL));
    Profile[1].slot[0].type = 3;    // the user's change: saved over a file changed meanwhile
    EXPECT_TRUE(SaveProfile() && ReadWholeFile(p.file, &now) && now == ProfileBytes());
    RemoveTree(p.dir);
}

TEST(ProfileSaveFailure, DirectoryInPlaceOfTheFileIsKept)
{
    ProfileDir p = UseTempProgramDir();
    ASSERT_TRUE(CreateDirectoryA(p.file.c_str(), NULL));
    ExpectFailedSaveKeepsOldFile(p, "");
    DWORD attrs = GetFileAttributesA(p.file.c_str());
    EXPECT_TRUE(attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY));
    RemoveTree(p.dir);
}

TEST(ProfileSaveFailure, ProgramDirThatIsGoneShowsTheMessage)
{
    ProfileDir p = UseTempProgramDir();
    RemoveTree(p.dir);
    ExpectFailedSaveKeepsOldFile(p, "");
}

TEST(ProfileSaveFailure, UnknownProgramDirWritesNothingInTheCurrentFolder)
{
    // ResolveProgramDir leaves ProgramDir empty for a module path it cannot hold.
    ProfileDir p = UseTempProgramDir();
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(p.dir.c_str());
    ProgramDir[0] = '\0';
    LoadProfile();
    LoadSettings();
    ExpectFailedSaveKeepsOldFile(p, "");
    SaveSettings();
    EXPECT_FALSE(FileExists(p.dir + "profile.cfg"));
    EXPECT_FALSE(FileExists(p.dir + "settings.ini"));
    SetCurrentDirectoryA(before);
    RemoveTree(p.dir);
}
