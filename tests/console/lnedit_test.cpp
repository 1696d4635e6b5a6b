#include "console/lnedit.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

TEST(LineEditor, InsertAndOverwriteAtTheEndAndOnAFullLine)
{
    LE_SetIns(1);
    LE_Clear();
    EXPECT_EQ(LE_Backspace() | LE_Delete() | LE_Left() | LE_Clear(), 0);
    EXPECT_EQ(LE_PutStr("acd"), 5);
    LE_Left();
    LE_Left();
    EXPECT_EQ(LE_PutChr('b'), 7);
    EXPECT_EQ(LE_Delete(), 6);  // the cursor stays
    EXPECT_STREQ(LE_Line(), "abd");
    EXPECT_EQ(LE_Pos(), 2u);
    LE_SetIns(0);
    EXPECT_EQ(LE_PutChr('X'), 3);
    EXPECT_EQ(LE_PutChr('Y'), 5);  // overwrite at the end appends
    EXPECT_STREQ(LE_Line(), "abXY");

    LE_SetIns(1);
    LE_Clear();
    std::string full(LE_CAP - 1, 'z');
    LE_PutStr((full + "L").c_str());
    EXPECT_EQ(LE_PutChr('x'), 0);  // typing at the end of a full line is ignored
    LE_Start();
    EXPECT_EQ(LE_PutChr('I'), 3);  // inserting drops the last character
    EXPECT_EQ(LE_Len(), LE_CAP);
    EXPECT_EQ(LE_Line()[LE_CAP - 1], 'z');
    EXPECT_EQ(LE_Line()[LE_CAP], '\0');
    LE_Clear();
}

// No sequence of keys may break pos <= len or the terminator (the shift
// routines assert it).
TEST(LineEditor, RandomKeySequencesKeepTheInvariant)
{
    LE_SetIns(1);
    LE_Clear();
    std::mt19937 rng(7);
    for (int i = 0; i < 60000; ++i) {
        switch (rng() % 10) {
        case 0: LE_Left(); break;
        case 1: LE_Right(); break;
        case 2: LE_Start(); break;
        case 3: LE_End(); break;
        case 4: LE_Backspace(); break;
        case 5: LE_Delete(); break;
        case 6: LE_SetIns(!LE_IsIns()); break;
        default: LE_PutChr('a' + static_cast<int>(rng() % 26)); break;
        }
        ASSERT_LE(LE_Pos(), LE_Len());
        ASSERT_EQ(LE_Line()[LE_Len()], '\0');
    }
    LE_SetIns(1);
    LE_Clear();
}
