#include <gtest/gtest.h>

#include "../test_util.h"
#include "datafile/str_view.h"
#include "datafile/text_file.h"

TEST(TextFile, LinesAndLoad)
{
    // CR LF, LF CR (an empty line between), lone CR and a last line without end.
    TextFile t;
    std::string_view l;
    t.Assign("A\r\nB");
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(l, "A");
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(l, "B");
    EXPECT_TRUE(t.IsEnd());
    EXPECT_EQ(t.ReadLine(l), 0u);
    t.Assign("A\n\rB");
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(t.ReadLine(l), 0u);
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(l, "B");
    t.Assign("A\rB\nC");
    EXPECT_TRUE(t.SeekNextLine() && t.SeekNextLine());
    EXPECT_FALSE(t.SeekNextLine());
    EXPECT_TRUE(t.IsEnd());
    t.Assign("A\r\n");
    EXPECT_EQ(t.ReadLine(), "A\r\n");
    EXPECT_EQ(t.ReadLine(), "");
    EXPECT_TRUE(t.SeekSet(3));
    EXPECT_FALSE(t.SeekSet(4));

    TextFile fresh;
    EXPECT_EQ(fresh.Load("/nonexistent/dir/file.tle"), 1);
    EXPECT_EQ(fresh.Load("/"), 5);
    EXPECT_EQ(fresh.Size(), 0u);
    TempDir dir;
    t.Assign("left over from before, longer than the file");
    ASSERT_EQ(t.Load(dir.write("a.txt", "one\r\ntwo")), 0);
    EXPECT_EQ(t.Size(), 8u);
    EXPECT_EQ(t.ReadLine(), "one\r\n");
    ASSERT_EQ(t.Load(dir.write("empty.txt", "")), 0);
    EXPECT_TRUE(t.IsEnd());

    EXPECT_EQ(StrView::split("a,,b", ','), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_EQ(StrView::split("", ','), (std::vector<std::string_view>{""}));
    EXPECT_EQ(StrView::split("\"a,b\"", ',').size(), 2u);
}
