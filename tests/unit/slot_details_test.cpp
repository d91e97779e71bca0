// The details fields of a slot: number texts both ways, and what "Set"
// stores for each type, texts cut to their fields.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "actions/virtual_keys.h"
#include "config/slot_details.h"

TEST(SlotDetails, NumbersShowUnsignedAndOnlyWholeNumbersAreRead)
{
    const struct { int32_t value; const char* text; } shown[] = {
        { 0, "0" }, { 273, "273" }, { -1, "4294967295" }, { INT32_MIN, "2147483648" },
    };
    for (const auto& c : shown) {
        char text[16];
        FormatSlotNumber(c.value, text, sizeof text);
        EXPECT_STREQ(c.text, text);
        EXPECT_EQ(c.value, ParseSlotNumber(text));
    }
    const struct { const char* text; int32_t value; } typed[] = {
        { "", 0 }, { "  42 ", 42 }, { "4294967295", -1 }, { "4294967296", 0 }, { "12a", 0 },
        { "-5", 0 }, { "+5", 0 }, { " ", 0 }, { "00000000000000000000000000000000007", 7 },
    };
    for (const auto& c : typed)
        EXPECT_EQ(c.value, ParseSlotNumber(c.text)) << '"' << c.text << '"';
}

TEST(SlotDetails, SetStoresTheFieldsOfTheRecordsTypeCutToTheirWidths)
{
    static SlotDetails d;
    memset(&d, 0, sizeof d);
    memset(d.programPath, 'p', 300);
    strcpy(d.parameters, "xy");
    memset(d.windowClass, 'c', 511);
    strcpy(d.windowName, "Name");
    strcpy(d.number, "273");
    strcpy(d.lParam, "4000000000");
    d.virtualKeyRow = NoVirtualKeyRow;
    d.keyFlags = 0x7FFFFFFF;

    ActionRecord r;
    memset(&r, 'o', sizeof r);
    r.type = 31;
    StoreDetailsInRecord(d, &r);
    EXPECT_EQ(std::string(255, 'p'), std::string(r.programPath));
    EXPECT_EQ(std::string("xy\0ooo", 6), std::string(r.parameters, 6));    // the rest keeps its bytes
    EXPECT_EQ('o', r.windowClass[0]);

    r.type = 32;
    StoreDetailsInRecord(d, &r);
    EXPECT_EQ(std::string(47, 'c'), std::string(r.windowClass));
    EXPECT_EQ(std::string("Name\0ooo", 8), std::string(r.windowName, 8));
    EXPECT_EQ(273, r.number);
    EXPECT_EQ(0, r.wParam);
    EXPECT_EQ((int32_t)4000000000u, r.lParam);

    r.type = 60;    // no row: the "None" row; only the seven flag bits are kept
    StoreDetailsInRecord(d, &r);
    EXPECT_EQ(VirtualKeyNoneRow, r.number);
    EXPECT_STREQ("None", VirtualKeyTable[r.number].name);
    EXPECT_EQ(0, VirtualKeyTable[r.number].vk);
    EXPECT_EQ(0x7F, r.wParam);
    d.virtualKeyRow = 109;
    d.keyFlags = 0x12;
    StoreDetailsInRecord(d, &r);
    EXPECT_EQ(109, r.number);
    EXPECT_EQ(0x12, r.wParam);

    ActionRecord before = r;
    r.type = 5;    // no details: nothing stored
    before.type = 5;
    StoreDetailsInRecord(d, &r);
    EXPECT_EQ(0, memcmp(&before, &r, sizeof r));
}
