// The on-screen remote's layout and keyboard map, and the demonstration
// files it writes for the run command.
#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>

#include <string>

#include "actions/virtual_keys.h"
#include "core/profile.h"
#include "tests/support/process.h"
#include "tools/remote/demo_files.h"
#include "tools/remote/remote_layout.h"

TEST(RemoteTool, LayoutHoldsEveryKeyOnceAndShortcutsNameKeys)
{
    int seen[RemoteKeyCount] = { 0 };
    for (const RemoteRow& row : RemoteLayout)
        for (const char* name : row.names) {
            int k = RemoteKeyByName(name);
            ASSERT_GE(k, 0) << name;
            ++seen[k];
        }
    for (int k = 0; k < RemoteKeyCount; ++k)
        EXPECT_EQ(1, seen[k]) << RemoteKeyTable[k].name;
    EXPECT_STREQ("POWER", RemoteLayout[0].names[0]);
    for (int i = 0; i < RemoteShortcutCount; ++i)
        EXPECT_GE(RemoteKeyByName(RemoteShortcuts[i].name), 0) << RemoteShortcuts[i].name;
}

TEST(RemoteTool, DemoFilesBindTheShownKeysAndNeverReplaceTheUsersFiles)
{
    std::string dir = MakeTempDir("demo");
    ASSERT_EQ(2, WriteDemoFiles(dir.c_str()));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(dir + "profile.cfg", &bytes));
    ASSERT_EQ((size_t)ProfileSize, bytes.size());
    const KeyActions* keys = (const KeyActions*)bytes.data();
    struct { const char* key; int32_t type; } bound[] = {
        { "DISPL", 65 }, { "VOL+", 20 }, { "VOL-", 21 }, { "MUTE", 64 }, { "TEXT", 31 },
        { "CANCEL", 32 }, { "POWER", 0 },
    };
    for (auto& b : bound)
        EXPECT_EQ(b.type, keys[RemoteKeyByName(b.key)].slot[0].type) << b.key;
    const ActionRecord& close = keys[RemoteKeyByName("CANCEL")].slot[0];
    EXPECT_STREQ("Notepad", close.windowClass);
    EXPECT_EQ(WM_CLOSE, close.number);
    EXPECT_STREQ("notepad.exe", keys[RemoteKeyByName("TEXT")].slot[0].programPath);
    for (char d = '0'; d <= '9'; ++d) {    // the digits type into Notepad, if it is there
        const ActionRecord& r = keys[RemoteKeyByName((std::string("CH") + d).c_str())].slot[0];
        EXPECT_EQ(60, r.type) << d;
        EXPECT_STREQ("Notepad", r.windowClass);
        EXPECT_EQ(0x10, r.wParam);
        ASSERT_TRUE(r.number >= 0 && r.number < VirtualKeyCount);
        EXPECT_EQ(d, VirtualKeyTable[r.number].vk);
    }
    WIN32_FIND_DATAA found;    // each file was made whole under a temporary name
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA((dir + "*.tmp").c_str(), &found));
    std::string ini = dir + "settings.ini";
    EXPECT_EQ(1u, GetPrivateProfileIntA("OSD", "Enable", 0, ini.c_str()));
    EXPECT_EQ(50u, GetPrivateProfileIntA("Settings", "MouseMultiplier", 0, ini.c_str()));

    // The user's own files stay as they are.
    ASSERT_TRUE(WriteWholeFile(dir + "settings.ini", "[OSD]\r\nEnable=0\r\n"));
    ASSERT_TRUE(WriteWholeFile(dir + "profile.cfg", "mine"));
    EXPECT_EQ(0, WriteDemoFiles(dir.c_str()));
    EXPECT_EQ(4, FileSize(dir + "profile.cfg"));
    EXPECT_EQ(0u, GetPrivateProfileIntA("OSD", "Enable", 1, ini.c_str()));
    DeleteFileA((dir + "profile.cfg").c_str());
    EXPECT_EQ(1, WriteDemoFiles(dir.c_str()));
    EXPECT_EQ(ProfileSize, FileSize(dir + "profile.cfg"));
    EXPECT_EQ(0u, GetPrivateProfileIntA("OSD", "Enable", 1, ini.c_str()));
    RemoveTree(dir);
}
