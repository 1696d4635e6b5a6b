#include "console/lnedit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

void reset_editor()
{
    LE_SetIns(1);
    LE_Clear();
}

}  // namespace

TEST(LineEditor, MovesAndEditsWithTheirChangeFlags)
{
    reset_editor();
    EXPECT_EQ(LE_Left(), 0);
    EXPECT_EQ(LE_Backspace(), 0);
    EXPECT_EQ(LE_Delete(), 0);
    EXPECT_EQ(LE_Clear(), 0);
    EXPECT_EQ(LE_PutStr(""), 0);

    EXPECT_EQ(LE_PutStr("acd"), 5);
    EXPECT_TRUE(LE_IsEnd());
    EXPECT_EQ(LE_Right(), 0);
    EXPECT_EQ(LE_Left(), 1);
    EXPECT_EQ(LE_Left(), 1);
    EXPECT_EQ(LE_PutChr('b'), 7);  // insert in the middle
    EXPECT_STREQ(LE_Line(), "abcd");
    EXPECT_EQ(LE_Pos(), 2u);

    EXPECT_EQ(LE_Delete(), 6);  // removes 'c', cursor stays
    EXPECT_STREQ(LE_Line(), "abd");
    EXPECT_EQ(LE_Pos(), 2u);
    EXPECT_EQ(LE_Backspace(), 7);
    EXPECT_STREQ(LE_Line(), "ad");
    EXPECT_EQ(LE_Pos(), 1u);

    LE_SetIns(0);
    EXPECT_EQ(LE_PutChr('X'), 3);  // overwrite in the middle
    EXPECT_STREQ(LE_Line(), "aX");
    EXPECT_EQ(LE_PutChr('Y'), 5);  // overwrite at the end appends
    EXPECT_STREQ(LE_Line(), "aXY");
    EXPECT_EQ(LE_PutChr(0x141), 5);  // only the low 8 bits are typed
    EXPECT_EQ(LE_Line()[3], 'A');

    EXPECT_EQ(LE_Start(), 1);
    EXPECT_EQ(LE_Start(), 0);
    EXPECT_EQ(LE_Clear(), 6);  // cursor already at 0
    EXPECT_EQ(LE_PutStr("ab"), 5);
    EXPECT_EQ(LE_End(), 0);
    EXPECT_EQ(LE_Clear(), 7);
    EXPECT_EQ(LE_Len(), 0u);
    EXPECT_EQ(LE_Pos(), 0u);
    reset_editor();
}

TEST(LineEditor, FullLineDropsTheLastCharacterOnInsertAndIgnoresTypingAtTheEnd)
{
    reset_editor();
    std::string full(LE_CAP, 'z');
    full[LE_CAP - 1] = 'L';
    EXPECT_EQ(LE_PutStr(full.c_str()), 5);
    EXPECT_EQ(LE_Len(), LE_CAP);
    EXPECT_EQ(LE_PutChr('x'), 0);
    EXPECT_EQ(LE_Len(), LE_CAP);
    EXPECT_EQ(LE_Pos(), LE_CAP);

    LE_Start();
    EXPECT_EQ(LE_PutChr('I'), 3);  // no length change on a full line
    EXPECT_EQ(LE_Len(), LE_CAP);
    EXPECT_EQ(std::strlen(LE_Line()), LE_CAP);
    EXPECT_EQ(LE_Line()[0], 'I');
    EXPECT_EQ(LE_Line()[LE_CAP - 1], 'z');  // the 'L' fell off

    LE_SetIns(0);
    EXPECT_EQ(LE_PutChr('O'), 3);
    EXPECT_EQ(LE_Line()[1], 'O');
    EXPECT_EQ(LE_Len(), LE_CAP);
    reset_editor();
}

// No sequence of editing calls may break pos <= len or the terminator.
TEST(LineEditor, RandomKeySequencesKeepTheInvariant)
{
    reset_editor();
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
        case 7:
            if (rng() % 500 == 0)
                LE_Clear();
            break;
        default: LE_PutChr('a' + static_cast<int>(rng() % 26)); break;
        }
        ASSERT_LE(LE_Pos(), LE_Len());
        ASSERT_LE(LE_Len(), LE_CAP);
        ASSERT_EQ(LE_Line()[LE_Len()], '\0');
    }
    reset_editor();
}
