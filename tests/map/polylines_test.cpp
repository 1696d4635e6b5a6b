#include "map/polylines.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "map/grid_lines.h"

namespace {

class TempFile {
public:
    explicit TempFile(const std::string& text)
    {
        char tmpl[] = "/tmp/skytrace_polylinesXXXXXX";
        int fd = mkstemp(tmpl);
        path = tmpl;
        if (fd >= 0) {
            EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
            close(fd);
        }
    }
    ~TempFile() { unlink(path.c_str()); }
    std::string path;
};

float rad(double deg)
{
    return static_cast<float>(deg * M_PI / 180.0);
}

// Polyline counts of a container, in order.
std::string shape(const CPolylines2f& c)
{
    std::string s;
    for (uint64_t i = 0; i < c.PolylineCount(); ++i)
        s += std::to_string(c.Polylines()[i].count) + " ";
    return s;
}

bool end_to_end(const CPolylines2f& c)
{
    uint64_t start = 0;
    for (uint64_t i = 0; i < c.PolylineCount(); ++i) {
        if (c.Polylines()[i].first != c.Points() + start)
            return false;
        start += c.Polylines()[i].count;
    }
    return start == c.PointCount();
}

}  // namespace

TEST(Polylines, LoadKeepsRunsOfTwoOrMorePoints)
{
    CPolylines2f c;
    TempFile a("10 20\n11 21\n\n12 22\n\n");
    ASSERT_EQ(c.Load(a.path.c_str()), 0);
    EXPECT_EQ(shape(c), "2 ");
    EXPECT_EQ(c.PointCount(), 2u);
    EXPECT_EQ(c.Points()[0].x, rad(10));
    EXPECT_EQ(c.Points()[0].y, rad(20));
    EXPECT_EQ(c.Points()[1].x, rad(11));
    EXPECT_EQ(c.Points()[1].y, rad(21));

    // A comment splits; the single point after it is dropped; the last run is
    // kept without a final line break; CR and CR LF end lines too; leading
    // blanks and trailing text are ignored.
    TempFile b("1 1\r\n  2 2 extra\r# note\n3 3\n4 4\n5 5\nx\n6 6\n# end\n7 7\r\n-8.5 -9.25");
    ASSERT_EQ(c.Load(b.path.c_str()), 0);
    EXPECT_EQ(shape(c), "2 3 2 ");
    EXPECT_TRUE(end_to_end(c));
    EXPECT_EQ(c.Points()[2].x, rad(3));
    EXPECT_EQ(c.Points()[5].x, rad(7));
    EXPECT_EQ(c.Points()[6].x, rad(-8.5));
    EXPECT_EQ(c.Points()[6].y, rad(-9.25));
}

TEST(Polylines, LoadFailuresLeaveTheContainerEmpty)
{
    CPolylines2f c;
    TempFile good("1 1\n2 2\n");
    ASSERT_EQ(c.Load(good.path.c_str()), 0);
    TempFile comments("# one\n# two\n\n");
    EXPECT_EQ(c.Load(comments.path.c_str()), 1);
    EXPECT_TRUE(c.IsEmpty());
    TempFile singles("1 1\n\n2 2\n");
    EXPECT_EQ(c.Load(singles.path.c_str()), 1);
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.Load("/nonexistent/skytrace/world.dat"), 1);
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.PointCount(), 0u);
    EXPECT_EQ(c.PolylineCount(), 0u);
}

TEST(Polylines, LoadIsBoundedByTheCountingPass)
{
    // A FIFO serves a short file to the counting pass and a longer one to the
    // storing pass, as if the file grew in between.
    char dir[] = "/tmp/skytrace_fifoXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::string fifo = std::string(dir) + "/world.dat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto open_fds = [&] {
        int n = 0;
        for (int fd = 0; fd < 1024; ++fd) {
            char link[64], target[512];
            std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
            ssize_t len = readlink(link, target, sizeof target - 1);
            if (len > 0 && std::string(target, len) == fifo)
                ++n;
        }
        return n;
    };
    std::thread writer([&] {
        const std::string first = "1 1\n2 2\n";
        const std::string second = "1 1\n2 2\n3 3\n\n4 4\n5 5\n6 6\n";
        FILE* f = std::fopen(fifo.c_str(), "w");
        std::fputs(first.c_str(), f);
        std::fclose(f);
        while (open_fds() > 0)
            std::this_thread::yield();
        f = std::fopen(fifo.c_str(), "w");
        std::fputs(second.c_str(), f);
        std::fclose(f);
    });
    CPolylines2f c;
    EXPECT_EQ(c.Load(fifo.c_str()), 0);
    writer.join();
    EXPECT_EQ(c.PointCount(), 2u);
    EXPECT_EQ(shape(c), "2 ");
    EXPECT_LE(c.PointCount(), c.PointsCapacity());
    unlink(fifo.c_str());
    rmdir(dir);
}

TEST(Polylines, CopyRepointsIntoItsOwnArray)
{
    CPolylines2f src, dst;
    ASSERT_TRUE(src.Alloc(7, 2));
    for (int i = 0; i < 7; ++i)
        src.Points()[i] = point2f_t{static_cast<float>(i), static_cast<float>(-i)};
    src.Polylines()[0] = polyline2f_t{3, src.Points()};
    src.Polylines()[1] = polyline2f_t{4, src.Points() + 3};
    ASSERT_TRUE(dst.Copy(src));
    EXPECT_NE(dst.Points(), src.Points());
    EXPECT_EQ(dst.Polylines()[0].first, dst.Points());
    EXPECT_EQ(dst.Polylines()[1].first, dst.Points() + 3);
    EXPECT_EQ(shape(dst), "3 4 ");
    EXPECT_EQ(dst.Points()[6].y, -6.0f);

    // Copying a smaller source keeps the arrays.
    CPolylines2f small;
    small.Alloc(2, 1);
    small.Points()[0] = small.Points()[1] = point2f_t{9, 9};
    small.Polylines()[0] = polyline2f_t{2, small.Points()};
    point2f_t* pts = dst.Points();
    ASSERT_TRUE(dst.Copy(small));
    EXPECT_EQ(dst.Points(), pts);
    EXPECT_EQ(dst.PointsCapacity(), 7u);
    EXPECT_EQ(shape(dst), "2 ");
}

TEST(Polylines, CapacitiesOnlyGrow)
{
    CPolylines2i c;
    ASSERT_TRUE(c.AllocPoints(10));
    for (int i = 0; i < 10; ++i)
        c.Points()[i] = point2i_t{i, i};
    point2i_t* p = c.Points();
    c.AllocPoints(4);
    EXPECT_EQ(c.Points(), p);
    EXPECT_EQ(c.PointsCapacity(), 10u);
    EXPECT_EQ(c.PointCount(), 4u);
    EXPECT_EQ(c.Points()[3].x, 3);
    c.AllocPoints(10);
    EXPECT_EQ(c.Points()[9].y, 9);
    c.AllocPoints(25);
    EXPECT_EQ(c.PointsCapacity(), 25u);
    EXPECT_EQ(c.PointCount(), 25u);
    c.AllocPolylines(3);
    c.AllocPolylines(1);
    EXPECT_EQ(c.PolylinesCapacity(), 3u);
    EXPECT_EQ(c.PolylineCount(), 1u);
    c.Free();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.PointsCapacity() + c.PolylinesCapacity(), 0u);
}

TEST(GridLines, DefaultGrid)
{
    CLatitudeLines lat;
    ASSERT_TRUE(lat.Set(19, 361));
    EXPECT_EQ(lat.PolylineCount(), 19u);
    EXPECT_EQ(lat.PointCount(), 19u * 361u);
    EXPECT_TRUE(end_to_end(lat));
    EXPECT_EQ(lat.Points()[0].x, rad(-180));
    EXPECT_EQ(lat.Points()[0].y, rad(90));
    EXPECT_EQ(lat.Points()[360].x, rad(180));
    EXPECT_EQ(lat.Points()[361 + 181].x, rad(1));
    EXPECT_EQ(lat.Points()[361 + 181].y, rad(80));
    EXPECT_EQ(lat.Polylines()[18].first[0].y, rad(-90));

    CLongitudeLines lon;
    ASSERT_TRUE(lon.Set(37, 181));
    EXPECT_EQ(lon.PolylineCount(), 37u);
    EXPECT_TRUE(end_to_end(lon));
    EXPECT_EQ(lon.Points()[0].x, rad(-180));
    EXPECT_EQ(lon.Points()[0].y, rad(90));
    EXPECT_EQ(lon.Points()[180].y, rad(-90));
    EXPECT_EQ(lon.Polylines()[19].first[91].x, rad(10));
    EXPECT_EQ(lon.Polylines()[19].first[91].y, rad(-1));
    EXPECT_EQ(lon.Polylines()[36].first[0].x, rad(180));
}

TEST(GridLines, DefaultCoastlineFileIsClean)
{
    const std::string path = std::string(SKYTRACE_SOURCE_DIR) + "/data/world.dat";
    CPolylines2f c;
    ASSERT_EQ(c.Load(path.c_str()), 0);
    EXPECT_GT(c.PolylineCount(), 1000u);
    EXPECT_GT(c.PointCount(), 50000u);
    EXPECT_TRUE(end_to_end(c));
    // No segment streaks across the map.
    for (uint64_t i = 0; i < c.PolylineCount(); ++i) {
        const polyline2f_t& l = c.Polylines()[i];
        for (uint64_t j = 1; j < l.count; ++j)
            ASSERT_LE(std::fabs(l.first[j].x - l.first[j - 1].x), static_cast<float>(M_PI));
    }
}
