#include <random>

#include "con_fixture.h"

TEST_F(ConsoleTest, LineEditorInsertsAndOverwritesAtTheEndOnAFullLineAndAnywhere)
{
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
    LE_PutStr((std::string(LE_CAP - 1, 'z') + "L").c_str());
    EXPECT_EQ(LE_PutChr('x'), 0);  // typing at the end of a full line is ignored
    LE_Start();
    EXPECT_EQ(LE_PutChr('I'), 3);  // inserting drops the last character
    EXPECT_EQ(LE_Len(), LE_CAP);
    EXPECT_EQ(LE_Line()[LE_CAP - 1], 'z');
    EXPECT_EQ(LE_Line()[LE_CAP], '\0');

    // No sequence of keys may break pos <= len or the terminator (the shift
    // routines assert it); the typing share lets the line fill up and empty.
    int (*const keys[])() = {LE_Left,      LE_Right,  LE_Start, LE_End,
                             LE_Backspace, LE_Delete, [] { LE_SetIns(!LE_IsIns()); return 0; }};
    LE_Clear();
    std::mt19937 rng(7);
    for (int i = 0; i < 60000; ++i) {
        unsigned k = rng() % 10;
        if (k < 7)
            keys[k]();
        else
            LE_PutChr('a' + static_cast<int>(rng() % 26));
        ASSERT_LE(LE_Pos(), LE_Len());
        ASSERT_EQ(LE_Line()[LE_Len()], '\0');
    }
}
