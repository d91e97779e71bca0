// settings.ini: keys, order, defaults, values taken as they stand.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/settings.h"
#include "core/app_state.h"
#include "platform/paths.h"
#include "tests/support/message_box.h"
#include "tests/support/process.h"

namespace {

std::string UseTempSettingsDir()
{
    std::string dir = MakeTempDir("settings");
    lstrcpynW(ProgramDir, Utf16(dir).c_str(), ProgramDirSize);
    return dir;
}

void ExpectDefaults()
{
    EXPECT_EQ(50, Settings.MouseMultiplier);
    EXPECT_EQ(0, Settings.TrayDoubleClick);
    EXPECT_EQ(200, Settings.RepeatGap);
    EXPECT_EQ(600, Settings.LongPress);
    EXPECT_EQ(0, OsdSettings.Enable);
    EXPECT_EQ(16711680, OsdSettings.Color);
    EXPECT_EQ(5, OsdSettings.TextSize);
    EXPECT_EQ(3, OsdSettings.Timeout);
    EXPECT_EQ(32, OsdSettings.Opaque);
}

const std::vector<std::string> DefaultFile = {
    "[Settings]", "MouseMultiplier=50", "TrayDoubleClick=0", "RepeatGap=200", "LongPress=600", "[OSD]", "Enable=0",
    "Color=16711680", "TextSize=5", "Timeout=3", "Opaque=32",
};

}  // namespace

TEST(SettingsFile, DefaultsHoldBeforeAnyLoad)
{
    ExpectDefaults();
}

TEST(SettingsFile, MissingFileGivesDefaultsAndTheFirstSaveWritesAllNineKeys)
{
    std::string dir = UseTempSettingsDir();
    LoadSettings();
    ExpectDefaults();
    SaveSettings();
    EXPECT_EQ(DefaultFile, NonBlankLines(dir + "settings.ini"));
    RemoveTree(dir);
}

TEST(SettingsFile, PartialFileKeepsItsLinesAndGainsTheMissingKeys)
{
    std::string dir = UseTempSettingsDir();
    std::string path = dir + "settings.ini";
    ASSERT_TRUE(WriteWholeFile(path, "[Other]\r\nKeep=me\r\n[OSD]\r\nEnable=1\r\nColor=255\r\n"));
    LoadSettings();
    EXPECT_EQ(1, OsdSettings.Enable);
    EXPECT_EQ(255, OsdSettings.Color);    // red text
    EXPECT_EQ(5, OsdSettings.TextSize);
    EXPECT_EQ(3, OsdSettings.Timeout);
    EXPECT_EQ(32, OsdSettings.Opaque);
    EXPECT_EQ(50, Settings.MouseMultiplier);
    EXPECT_EQ(0, Settings.TrayDoubleClick);
    SaveSettings();
    std::vector<std::string> expected = {
        "[Other]", "Keep=me", "[OSD]", "Enable=1", "Color=255", "TextSize=5", "Timeout=3",
        "Opaque=32", "[Settings]", "MouseMultiplier=50", "TrayDoubleClick=0", "RepeatGap=200",
        "LongPress=600",
    };
    EXPECT_EQ(expected, NonBlankLines(path));
    RemoveTree(dir);
}

TEST(SettingsFile, ValuesOutsideTheDialogRangesAreKept)
{
    std::string dir = UseTempSettingsDir();
    std::string path = dir + "settings.ini";
    ASSERT_TRUE(WriteWholeFile(path, "[OSD]\r\nTextSize=20\r\nOpaque=0\r\nTimeout=-2\r\n"
                                     "[Settings]\r\nMouseMultiplier=1000\r\n"));
    LoadSettings();
    EXPECT_EQ(20, OsdSettings.TextSize);
    EXPECT_EQ(0, OsdSettings.Opaque);
    EXPECT_EQ(-2, OsdSettings.Timeout);
    EXPECT_EQ(1000, Settings.MouseMultiplier);
    SaveSettings();
    std::vector<std::string> lines = NonBlankLines(path);
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "TextSize=20"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Timeout=-2"));
    RemoveTree(dir);
}

TEST(SettingsFile, MalformedValuesReadAsTheDefault)
{
    std::string dir = UseTempSettingsDir();
    ASSERT_TRUE(WriteWholeFile(dir + "settings.ini",
                               "[Settings]\r\nMouseMultiplier=fast\r\nTrayDoubleClick=\r\n"
                               "[OSD]\r\nEnable=yes\r\nColor=0xFF\r\nTextSize=12x\r\n"
                               "Timeout= 4 \r\nOpaque=99999999999\r\n"));
    Settings.MouseMultiplier = 7;    // overwritten by the default, not kept
    LoadSettings();
    EXPECT_EQ(50, Settings.MouseMultiplier);
    EXPECT_EQ(0, Settings.TrayDoubleClick);
    EXPECT_EQ(0, OsdSettings.Enable);
    EXPECT_EQ(16711680, OsdSettings.Color);
    EXPECT_EQ(5, OsdSettings.TextSize);
    EXPECT_EQ(4, OsdSettings.Timeout);
    EXPECT_EQ(32, OsdSettings.Opaque);
    RemoveTree(dir);
}

TEST(SettingsValue, ParsesSignedDecimalsOnly)
{
    struct { const char* text; int32_t value; } cases[] = {
        { "0", 0 }, { "42", 42 }, { "-7", -7 }, { "+8", 8 }, { "  12\t", 12 },
        { "2147483647", 2147483647 }, { "-2147483648", INT32_MIN },
        { "2147483648", -1 }, { "", -1 }, { "-", -1 }, { "1 2", -1 }, { "0x10", -1 },
        { "12abc", -1 }, { "abc", -1 }, { "99999999999999999999", -1 },
    };
    for (auto& c : cases)
        EXPECT_EQ(c.value, ParseSettingValue(c.text, -1)) << '"' << c.text << '"';
}

TEST(SettingsFile, OddFilesLoadWithoutHarm)
{
    struct {
        const char* name;
        std::string content;
        int32_t enable, color, timeout;
    } cases[] = {
        { "empty values", "[OSD]\r\nEnable=\r\nColor=\r\nTimeout=\r\n", 0, 16711680, 3 },
        { "text values", "[OSD]\r\nEnable=on\r\nColor=red\r\nTimeout=long\r\n", 0, 16711680, 3 },
        { "huge numbers", "[OSD]\r\nEnable=4294967296\r\nColor=-2147483649\r\nTimeout=" +
                              std::string(300, '9') + "\r\n", 0, 16711680, 3 },
        { "leading zeros past the read buffer", "[OSD]\r\nTimeout=" + std::string(80, '0') + "7\r\n",
          0, 16711680, 3 },
        // The first of each counts, as the platform reads them.
        { "duplicate keys and sections", "[OSD]\r\nEnable=1\r\nEnable=0\r\n[OSD]\r\nColor=9\r\n"
                                         "Timeout=8\r\n", 1, 16711680, 3 },
        { "no final newline", "[OSD]\r\nTimeout=6", 0, 16711680, 6 },
        { "binary junk", std::string("\xFF\x00[OSD]\x01\r\nEnable=1\x00\x7F\r\n\x80\xFE", 25), 0,
          16711680, 3 },
    };
    std::string dir = UseTempSettingsDir();
    for (auto& c : cases) {
        ASSERT_TRUE(WriteWholeFile(dir + "settings.ini", c.content));
        LoadSettings();
        EXPECT_EQ(c.enable, OsdSettings.Enable) << c.name;
        EXPECT_EQ(c.color, OsdSettings.Color) << c.name;
        EXPECT_EQ(c.timeout, OsdSettings.Timeout) << c.name;
        EXPECT_EQ(5, OsdSettings.TextSize) << c.name;
    }
    RemoveTree(dir);
}

TEST(SettingsFile, ReadOnlyFileOrAFolderInItsPlaceIsNotWrittenTheFailureShownAndTheValuesStay)
{
    std::string dir = UseTempSettingsDir();
    std::string path = dir + "settings.ini";
    const std::string content = "[OSD]\r\nEnable=1\r\n";
    ASSERT_TRUE(WriteWholeFile(path, content));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    LoadSettings();
    OsdSettings.Timeout = 9;    // as the Settings dialog would
    BoxWatch* boxes = WatchMessageBoxes("ERROR");
    EXPECT_FALSE(SaveSettings());
    std::string after;
    ASSERT_TRUE(ReadWholeFile(path, &after));
    EXPECT_EQ(content, after);
    EXPECT_EQ(1, OsdSettings.Enable);
    EXPECT_EQ(9, OsdSettings.Timeout);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), NULL));
    EXPECT_FALSE(SaveSettings());
    EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    std::string text;
    EXPECT_EQ(2, StopWatchingMessageBoxes(boxes, &text));
    EXPECT_EQ("Error encountered saving settings", text);
    LoadSettings();
    EXPECT_EQ(0, OsdSettings.Enable);
    RemoveDirectoryA(path.c_str());
    LoadSettings();
    RemoveTree(dir);
}
