#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "datafile/str_view.h"
#include "datafile/text_file.h"

TEST(TextFile, LineTerminators)
{
    TextFile t;
    t.Assign("A\r\nB");
    std::string_view l;
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(l, "A");
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(l, "B");
    EXPECT_TRUE(t.IsEnd());
    EXPECT_EQ(t.ReadLine(l), 0u);
    EXPECT_FALSE(t.SeekNextLine());

    t.Assign("A\n\rB");
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(t.ReadLine(l), 0u);
    EXPECT_FALSE(t.IsEnd());
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(l, "B");

    t.Assign("A\rB\nC");
    EXPECT_TRUE(t.SeekNextLine());
    EXPECT_TRUE(t.SeekNextLine());
    EXPECT_FALSE(t.SeekNextLine());
    EXPECT_TRUE(t.IsEnd());

    t.Assign("A\r\n");
    EXPECT_EQ(t.ReadLine(), "A\r\n");
    EXPECT_TRUE(t.IsEnd());
    EXPECT_EQ(t.ReadLine(), "");
    t.SeekSet(0);
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_TRUE(t.IsEnd());

    EXPECT_TRUE(t.SeekSet(3));
    EXPECT_TRUE(t.SeekSet(1));
    EXPECT_FALSE(t.SeekSet(4));
    EXPECT_EQ(t.Cursor(), 1u);
}

TEST(TextFile, Load)
{
    TextFile t;
    EXPECT_EQ(t.Load("/nonexistent/dir/file.tle"), 1);
    EXPECT_EQ(t.Load("/"), 5);
    EXPECT_EQ(t.Size(), 0u);

    const std::string path = testing::TempDir() + "text_file_test.txt";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("one\r\ntwo", f);
    std::fclose(f);
    t.Assign("left over from before, longer than the file");
    ASSERT_EQ(t.Load(path), 0);
    EXPECT_EQ(t.Size(), 8u);
    EXPECT_EQ(t.ReadLine(), "one\r\n");
    EXPECT_EQ(t.ReadLine(), "two");

    f = std::fopen(path.c_str(), "wb");
    std::fclose(f);
    ASSERT_EQ(t.Load(path), 0);
    EXPECT_TRUE(t.IsEnd());
    std::remove(path.c_str());
}

TEST(StrView, Split)
{
    EXPECT_EQ(StrView::split("a,,b", ','), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_EQ(StrView::split("", ','), (std::vector<std::string_view>{""}));
    EXPECT_EQ(StrView::split(",", ','), (std::vector<std::string_view>{"", ""}));
    EXPECT_EQ(StrView::split("\"a,b\"", ',').size(), 2u);
}
