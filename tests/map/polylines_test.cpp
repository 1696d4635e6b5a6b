#include "map/polylines.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <thread>

#include "map/map_fixture.h"
#include "test_util.h"

TEST(Polylines, LoadExamplesAndFailures)
{
    TempDir d;
    CPolylines2f c;
    // Runs of two or more points are kept: a comment or other text splits, a single point
    // is dropped; CR and CR LF end lines too; leading blanks and trailing text are ignored.
    ASSERT_EQ(c.Load(d.write("a", "1 1\r\n  2 2 extra\r# note\n3 3\n4 4\n5 5\nx\n6 6\n# end\n7 7\r\n-8.5 -9.25").c_str()), 0);
    EXPECT_TRUE(shape(c) == "2 3 2 " && end_to_end(c)) << shape(c);
    EXPECT_TRUE(c.Points()[5].x == rad(7) && c.Points()[6].x == rad(-8.5) && c.Points()[6].y == rad(-9.25));
    // Failures leave the container empty.
    for (const std::string& bad : {d.write("b", "# one\n# two\n\n"), d.write("s", "1 1\n\n2 2\n"),
                                   std::string("/nonexistent/skytrace/world.dat")}) {
        EXPECT_TRUE(c.Load(bad.c_str()) == 1 && c.IsEmpty()) << bad;
    }
}

TEST(Polylines, LoadIsBoundedByTheCountingPass)
{
    // A FIFO serves a short file to the counting pass and a longer one to the storing pass.
    TempDir d;
    const std::string fifo = d.file("world.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto open_fds = [&] {
        int n = 0;
        for (int fd = 0; fd < 1024; ++fd) {
            char target[512];
            ssize_t len = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
            n += len > 0 && std::string(target, len) == fifo;
        }
        return n;
    };
    std::thread writer([&] {
        // Each text waits for the reader to open and then close, so the second cannot reach the first pass.
        for (const char* text : {"1 1\n2 2\n", "1 1\n2 2\n3 3\n\n4 4\n5 5\n6 6\n"}) {
            FILE* f = std::fopen(fifo.c_str(), "w");
            std::fputs(text, f);
            while (open_fds() < 2)
                std::this_thread::yield();
            std::fclose(f);
            while (open_fds() > 0)
                std::this_thread::yield();
        }
    });
    CPolylines2f c;
    EXPECT_EQ(c.Load(fifo.c_str()), 0);
    writer.join();
    EXPECT_TRUE(shape(c) == "2 " && c.PointCount() == 2) << shape(c);
}

TEST(Polylines, CopyRepointsAndCapacitiesOnlyGrow)
{
    CPolylines2f src, dst;
    ASSERT_TRUE(src.Alloc(7, 2));
    for (int i = 0; i < 7; ++i)
        src.Points()[i] = point2f_t{static_cast<float>(i), static_cast<float>(-i)};
    src.Polylines()[0] = polyline2f_t{3, src.Points()};
    src.Polylines()[1] = polyline2f_t{4, src.Points() + 3};
    ASSERT_TRUE(dst.Copy(src));
    EXPECT_TRUE(dst.Points() != src.Points() && end_to_end(dst) && dst.Points()[6].y == -6.0f);
    EXPECT_EQ(shape(dst), "3 4 ");

    // A smaller request keeps the array and its contents.
    const point2f_t* p = src.Points();
    src.AllocPoints(4);
    EXPECT_TRUE(src.Points() == p && src.PointCount() == 4);
    src.AllocPoints(7);
    EXPECT_EQ(src.Points()[6].x, 6.0f);
    src.AllocPolylines(1);
    src.ReservePolylines(50);
    EXPECT_TRUE(src.PolylinesCapacity() == 50 && src.PolylineCount() == 1 && src.Polylines()[0].count == 3);
}
