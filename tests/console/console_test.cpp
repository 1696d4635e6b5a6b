#include <cstring>
#include <iterator>

#include "con_fixture.h"

TEST_F(ConsoleTest, LineEditorInsertsAndOverwritesAtTheEndOnAFullLineAndAnywhere)
{
    EXPECT_EQ(LE_Backspace() | LE_Delete() | LE_Left() | LE_Clear(), 0);
    EXPECT_EQ(LE_PutStr("acd"), 5);
    LE_Left();
    LE_Left();
    EXPECT_EQ(LE_PutChr('b'), 7);
    EXPECT_EQ(LE_Delete(), 6);  // the cursor stays
    EXPECT_TRUE(!strcmp(LE_Line(), "abd") && LE_Pos() == 2);
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
    EXPECT_TRUE(LE_Len() == LE_CAP && LE_Line()[LE_CAP - 1] == 'z' && LE_Line()[LE_CAP] == '\0');
}

TEST_F(ConsoleTest, RowsWrapWithACellForTheCursorAtTheEnd)
{
    con.SetSize(5, 10);
    ConInput& in = con.GetInput();
    con.Input(CI_PUTSTR, "12345678");
    EXPECT_EQ(in.Height(), 1u);  // prompt + 8 + cursor = 10 cells
    // Each key, its character and the rows of the input area after it: a cursor
    // move keeps the rows, but End puts the cursor in a cell below the last row.
    const int keys[][3] = {{CI_PUTCHR, '9', 2}, {CI_LEFT, 0, 2},  {CI_DELETE, 0, 1},   {CI_PUTCHR, '9', 2},
                           {CI_START, 0, 2},    {CI_DELETE, 0, 1}, {CI_PUTCHR, '1', 1}, {CI_END, 0, 2}};
    for (size_t i = 0; i < std::size(keys); ++i) {
        con.Input(keys[i][0], keys[i][1]);
        EXPECT_EQ(in.Height(), unsigned(keys[i][2])) << "after key " << i;
    }
    unsigned long row = 0, col = 0;
    EXPECT_TRUE(con.IsCursorVisible(row, col) && row == 1 && col == 0);

    ConOutput& out = con.GetOutput();
    out.Append(std::string(25, 'a').c_str());  // 2.5 widths: 3 rows
    out.Append("");
    EXPECT_TRUE(out.Height() == 4 && !strcmp(out.Line(2), "aaaaa"));
    for (int i = 0; i < 500; ++i)
        out.Append("x");
    EXPECT_TRUE(out.LineCount() == 500 && out.Height() == 500);
    EXPECT_EQ(out.Longest(), 1u);  // recomputed when the longest line left
}

TEST_F(ConsoleTest, HistoryKeepsTwoHundredAndRecallsThem)
{
    con.SetSize(10, 40);
    EXPECT_FALSE(con.HistoryBackward());
    Run("   ");  // echoed, but neither recorded nor run
    EXPECT_TRUE(con.History().Count() == 0 && !strcmp(con.GetOutput().Line(0), ">   "));
    for (int i = 1; i <= 201; ++i)
        Run(" ver " + std::to_string(i));
    const ConHistory& h = con.History();
    EXPECT_TRUE(h.Count() == 200 && !strcmp(h.Entry(0), "ver 2"));
    EXPECT_TRUE(con.HistoryBackward() && con.HistoryBackward() && con.HistoryForward());
    EXPECT_STREQ(LE_Line(), "ver 201");
    EXPECT_TRUE(!con.HistoryForward() && LE_Len() == 0);  // past the newest: cleared
    for (int i = 0; i < 201; ++i)
        con.HistoryBackward();
    EXPECT_STREQ(LE_Line(), "ver 2");  // the oldest keeps showing
}

TEST_F(ConsoleTest, ScrollingAndResizing)
{
    con.SetSize(5, 20);
    for (int i = 0; i < 20; ++i)
        con.AppendOutput(std::string(static_cast<size_t>(i), 'w').c_str());
    EXPECT_EQ(con.Top(), 16u);  // 21 rows, the bottom in view
    EXPECT_FALSE(con.Scroll(CS_LINE_DOWN));
    EXPECT_TRUE(con.Scroll(CS_PAGE_UP) && con.Top() == 11);
    for (auto [op, top] : {std::pair{CS_LINE_UP, 10u}, {CS_PAGE_DOWN, 15u}, {CS_PAGE_DOWN, 16u}, {CS_TOP, 0u}}) {
        con.Scroll(op);
        EXPECT_EQ(con.Top(), top) << op;
    }
    con.Input(CI_TOGGLE_INS);  // keeps the view
    EXPECT_EQ(con.Top(), 0u);
    con.Input(CI_LEFT);  // a cursor key returns to the bottom even if nothing moved
    EXPECT_EQ(con.Top(), 16u);

    con.SetSize(8, 10);  // at the bottom: stays there
    EXPECT_EQ(con.Top(), con.Total() - 8);
    for (int key : {CS_TOP, CS_LINE_DOWN, CS_LINE_DOWN})
        con.Scroll(key);
    con.SetSize(4, 20);  // scrolled back: keeps its row
    EXPECT_EQ(con.Top(), 2u);
    con.SetSize(40, 20);  // everything fits: clamped
    EXPECT_EQ(con.Top(), 0u);

    con.SetSize(3, 20);
    Run(std::string(50, 'q'));  // longer than the window
    EXPECT_TRUE(con.Top() == con.Total() - 3 && !strcmp(con.Line(con.Total() - 1), ">"));
}
