#include "console/console.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/lnedit.h"
#include "settings/vars.h"

namespace {

class ConsoleModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        LE_SetIns(1);
        LE_Clear();
        var_reset();
    }
    void TearDown() override { LE_Clear(); }

    void Type(const std::string& s) { con.Input(CI_PUTSTR, s.c_str()); }
    void Run(const std::string& s)
    {
        Type(s);
        con.Execute();
    }
    std::vector<std::string> Visible()
    {
        std::vector<std::string> rows;
        for (const char* r = con.FirstVisibleLine(); r; r = con.NextVisibleLine())
            rows.emplace_back(r);
        return rows;
    }

    CConsole con;
};

}  // namespace

TEST_F(ConsoleModel, InputWrapsWithACellForTheCursorAtTheEnd)
{
    con.SetSize(5, 10);
    ConInput& in = con.GetInput();
    Type("12345678");
    EXPECT_EQ(in.Height(), 1u);  // prompt + 8 + cursor = 10 cells
    Type("9");
    EXPECT_EQ(in.Height(), 2u);
    EXPECT_STREQ(in.Line(0), ">123456789");
    EXPECT_STREQ(in.Line(1), "");
    con.Input(CI_LEFT);
    EXPECT_EQ(in.Height(), 2u);  // a cursor move alone keeps the rows
    con.Input(CI_DELETE);
    EXPECT_EQ(in.Height(), 1u);  // ">12345678" with the cursor on no extra cell
    EXPECT_EQ(LE_Pos(), 8u);
    Type("9");
    con.Input(CI_LEFT);
    con.Input(CI_BACKSPACE);
    con.Input(CI_PUTCHR, '8');  // length 9, cursor inside: one row
    EXPECT_EQ(in.Height(), 1u);

    // End moves the cursor to a cell below the last row; the area grows so
    // that the cursor stays drawable at the bottom of a full view.
    con.Input(CI_END);
    EXPECT_EQ(in.Height(), 2u);
    unsigned long row = 0, col = 0;
    in.CursorPos(row, col);
    EXPECT_EQ(row, 1u);
    EXPECT_EQ(col, 0u);
    EXPECT_TRUE(con.IsCursorVisible(row, col));
    EXPECT_EQ(in.CurChr(), ' ');
    con.Input(CI_START);
    EXPECT_EQ(in.CurChr(), '1');
}

TEST_F(ConsoleModel, OutputRowsAndTheLineLimit)
{
    ConOutput& out = con.GetOutput();
    out.Append(std::string(25, 'a').c_str());
    out.Append("");
    EXPECT_EQ(out.Height(), 2u);  // unwrapped: the line count
    EXPECT_EQ(out.Longest(), 25u);
    out.SetWrap(10);
    EXPECT_EQ(out.Height(), 4u);  // 2.5 widths take 3 rows, an empty line 1
    EXPECT_STREQ(out.Line(2), "aaaaa");
    EXPECT_STREQ(out.Line(3), "");
    EXPECT_EQ(out.Line(4), nullptr);

    for (int i = 0; i < 499; ++i)
        out.Append(std::to_string(i).c_str());
    EXPECT_EQ(out.LineCount(), 500u);
    EXPECT_EQ(out.Height(), 499u + 1u);  // the long line fell out
    EXPECT_STREQ(out.Line(0), "");
    EXPECT_EQ(out.Longest(), 3u);  // recomputed when the longest line left
    out.SetWrap(0);
    EXPECT_STREQ(out.Line(499), "498");
    EXPECT_EQ(out.Line(500), nullptr);
}

TEST_F(ConsoleModel, HistoryKeepsTwoHundredAndRecallsThem)
{
    con.SetSize(10, 40);
    EXPECT_FALSE(con.HistoryBackward());  // empty history: nothing happens
    EXPECT_EQ(LE_Len(), 0u);
    for (int i = 1; i <= 201; ++i)
        Run("ver " + std::to_string(i));
    const ConHistory& h = con.History();
    EXPECT_EQ(h.Count(), 200u);
    EXPECT_STREQ(h.Entry(0), "ver 2");

    EXPECT_TRUE(con.HistoryBackward());
    EXPECT_STREQ(LE_Line(), "ver 201");
    EXPECT_TRUE(con.HistoryBackward());
    EXPECT_STREQ(LE_Line(), "ver 200");
    EXPECT_TRUE(con.HistoryForward());
    EXPECT_STREQ(LE_Line(), "ver 201");
    EXPECT_FALSE(con.HistoryForward());  // past the newest: cleared
    EXPECT_EQ(LE_Len(), 0u);
    EXPECT_FALSE(con.HistoryForward());

    for (int i = 0; i < 200; ++i)
        con.HistoryBackward();
    EXPECT_STREQ(LE_Line(), "ver 2");
    EXPECT_FALSE(con.HistoryBackward());  // the oldest keeps showing
    EXPECT_STREQ(LE_Line(), "ver 2");

    con.Input(CI_CLEAR);
    Run("ver 2");  // repeats are kept
    EXPECT_STREQ(h.Entry(199), "ver 2");
    EXPECT_STREQ(h.Entry(198), "ver 201");
}

TEST_F(ConsoleModel, ExecuteEchoesAndSkipsBlankLines)
{
    ConOutput& out = con.GetOutput();
    Run("   ");
    EXPECT_EQ(out.LineCount(), 1u);
    EXPECT_STREQ(out.Line(0), ">   ");
    EXPECT_EQ(con.History().Count(), 0u);
    EXPECT_EQ(LE_Len(), 0u);

    Run("  history  ");
    EXPECT_STREQ(out.Line(1), ">  history  ");
    EXPECT_STREQ(con.History().Entry(0), "history");
    EXPECT_STREQ(out.Line(2), "  1  history");
    EXPECT_EQ(LE_Len(), 0u);
}

TEST_F(ConsoleModel, ScrollingStaysWithinTheRows)
{
    con.SetSize(5, 20);
    EXPECT_FALSE(con.Scroll(CS_PAGE_DOWN));
    EXPECT_FALSE(con.Scroll(CS_LINE_UP));  // everything fits: nothing moves
    for (int i = 0; i < 20; ++i)
        con.AppendOutput(std::to_string(i).c_str());
    EXPECT_EQ(con.Total(), 21u);
    EXPECT_EQ(con.Top(), 16u);
    std::vector<std::string> rows = Visible();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows.front(), "16");
    EXPECT_EQ(rows.back(), ">");

    EXPECT_FALSE(con.Scroll(CS_LINE_DOWN));
    EXPECT_TRUE(con.Scroll(CS_LINE_UP));
    EXPECT_EQ(con.Top(), 15u);
    EXPECT_TRUE(con.Scroll(CS_PAGE_UP));
    EXPECT_EQ(con.Top(), 10u);
    con.Scroll(CS_PAGE_UP);
    con.Scroll(CS_PAGE_UP);
    EXPECT_EQ(con.Top(), 0u);
    EXPECT_FALSE(con.Scroll(CS_PAGE_UP));
    EXPECT_EQ(Visible().front(), "0");
    EXPECT_TRUE(con.Scroll(CS_PAGE_DOWN));
    EXPECT_EQ(con.Top(), 5u);
    unsigned long r = 0, c = 0;
    EXPECT_FALSE(con.IsCursorVisible(r, c));
    con.Scroll(CS_PAGE_DOWN);
    con.Scroll(CS_PAGE_DOWN);
    con.Scroll(CS_PAGE_DOWN);
    EXPECT_EQ(con.Top(), 16u);
    EXPECT_TRUE(con.IsCursorVisible(r, c));
    EXPECT_EQ(r, 4u);
    EXPECT_EQ(c, 1u);

    // Toggling the insert mode keeps the view; typing returns to the bottom.
    con.Scroll(CS_TOP);
    con.Input(CI_TOGGLE_INS);
    EXPECT_EQ(con.Top(), 0u);
    con.Input(CI_PUTCHR, 'x');
    EXPECT_EQ(con.Top(), 16u);
    con.Scroll(CS_TOP);
    con.Input(CI_LEFT);  // a cursor key also returns, even when it moves nothing
    EXPECT_EQ(con.Top(), 16u);
}

TEST_F(ConsoleModel, ResizeKeepsTheBottomOrTheScrolledBackPosition)
{
    con.SetSize(5, 20);
    for (int i = 0; i < 20; ++i)
        con.AppendOutput(std::string(static_cast<size_t>(i), 'w').c_str());
    unsigned long total = con.Total();
    EXPECT_EQ(con.Top(), total - 5);
    con.SetSize(8, 10);  // at the bottom: stays at the bottom
    EXPECT_EQ(con.Top(), con.Total() - 8);
    EXPECT_GT(con.Total(), total);

    con.Scroll(CS_TOP);
    con.Scroll(CS_LINE_DOWN);
    con.Scroll(CS_LINE_DOWN);
    con.SetSize(4, 20);  // scrolled back: keeps its row
    EXPECT_EQ(con.Top(), 2u);
    con.SetSize(40, 20);  // the whole text fits: clamped to 0
    EXPECT_EQ(con.Top(), 0u);
    EXPECT_EQ(Visible().size(), con.Total());
}

TEST_F(ConsoleModel, ALongExecutedLineLeavesTheViewAtTheBottom)
{
    con.SetSize(3, 20);
    Type(std::string(50, 'q'));
    con.Execute();
    std::vector<std::string> rows = Visible();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], ">");
    EXPECT_EQ(rows[1], "Unknown command.");
    EXPECT_EQ(rows[0], std::string(11, 'q'));  // the last row of the 51-character echo
}
