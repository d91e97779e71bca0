// The remote key table and its lookup.
#include <gtest/gtest.h>
#include <string.h>

#include "core/remote_keys.h"

TEST(RemoteKeys, EveryTableCodeFindsItsOwnIndex)
{
    for (int k = 0; k < RemoteKeyCount; ++k)
        EXPECT_EQ(k, FindRemoteKey(RemoteKeyTable[k].code)) << RemoteKeyTable[k].name;
}

TEST(RemoteKeys, NamedKeysOfTheRemote)
{
    struct { int32_t code; int index; const char* name; } cases[] = {
        { 0, 0, "POWER" }, { 2, 1, "TVFM" }, { 20, 19, "MUTE" }, { 22, 20, "DISPL" },
        { 31, 25, "TEXT" }, { 64, 26, "SLEEP" }, { 82, 44, "[...]" }, { 85, 47, "FORWD" },
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.index, FindRemoteKey(c.code)) << c.code;
        EXPECT_STREQ(c.name, RemoteKeyTable[c.index].name);
    }
}

TEST(RemoteKeys, CodesOutsideTheTableBelongToNoKey)
{
    int32_t nonCodes[] = { 1, 21, 23, 26, 28, 29, 32, 63, 86, 0x100, -1, INT32_MIN, INT32_MAX };
    for (int32_t c : nonCodes)
        EXPECT_EQ(NoRemoteKey, FindRemoteKey(c)) << c;
    // No masking: a code that only matches in its low byte is not a key.
    EXPECT_EQ(NoRemoteKey, FindRemoteKey(0x104));
}

TEST(RemoteKeys, NamesFitTheirFieldAndAreZeroPadded)
{
    for (int k = 0; k < RemoteKeyCount; ++k) {
        const RemoteKey& key = RemoteKeyTable[k];
        size_t n = strlen(key.name);
        EXPECT_GE(n, 3u);
        EXPECT_LE(n, 6u);
        for (size_t i = n; i < RemoteKeyNameWidth; ++i)
            EXPECT_EQ(0, key.name[i]) << key.name;
    }
    EXPECT_EQ(28u, sizeof(RemoteKey));
}
