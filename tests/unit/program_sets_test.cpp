// Which bindings a press runs when a program has a set of its own, and the
// "Pressed Key" text cut between whole characters.
#include <gtest/gtest.h>
#include <string.h>

#include "core/program_sets.h"
#include "platform/characters.h"

TEST(ProgramSets, APressRunsTheSetsOwnSlotsOnlyWhereTheSetBindsTheKey)
{
    memset(Profile, 0, sizeof Profile);
    lstrcpynW(ProgramSets[0].name, L"player.exe", ProgramNameSize);
    static ActionRecord* volatile slots[RemoteKeyCount * SlotsPerKey];
    ProgramSets[0].slots = slots;
    ProgramSets[0].inUse = 1;
    ProgramSetRecordForEdit(0, 5, 3).type = 20;    // bound in a later slot
    ProgramSetRecordForEdit(0, 6, 0).type = 99;    // outside the catalogue: binds nothing
    ProgramSetRecordForEdit(0, 0, 0).type = 20;    // POWER is no program's
    const struct {
        int key, set, used;
    } rows[] = { { 5, 0, 0 }, { 6, 0, AllPrograms }, { 7, 0, AllPrograms },
                 { 0, 0, AllPrograms }, { 5, AllPrograms, AllPrograms }, { 5, 1, AllPrograms } };
    for (const auto& row : rows) {
        int used = -2;
        KeySlots run = BindingsForKey(row.key, row.set, &used);
        EXPECT_EQ(row.used, used) << "key " << row.key << ", set " << row.set;
        EXPECT_EQ(&ProgramSetRecord(used, row.key, 3), run.slot[3]);
    }
    EXPECT_EQ(0, FindProgramSet(L"PLAYER.EXE"));
    ProgramSets[0].inUse = 0;
    EXPECT_EQ(AllPrograms, FindProgramSet(L"player.exe"));
}

TEST(ProgramSets, TheProgramsNameIsCutBetweenWholeCharacters)
{
    const struct {
        size_t size;
        const wchar_t* added;
        const wchar_t* expected;
    } rows[] = { { 13, L" (a.exe)", L"PLAY (a.exe)" }, { 8, L" (a.exe)", L"PLAY (a" },
                 { 8, L" \xD83C\xDFB5", L"PLAY \xD83C\xDFB5" }, { 7, L" \xD83C\xDFB5", L"PLAY " } };
    for (const auto& row : rows) {
        wchar_t text[16] = L"PLAY";
        AppendWholeCharacters(text, row.size, row.added);
        EXPECT_STREQ(row.expected, text) << "size " << row.size;
    }
}
