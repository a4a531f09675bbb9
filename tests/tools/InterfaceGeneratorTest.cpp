#include "tools/data_builder/generators/image/InterfaceImages.h"
#include "tools/data_builder/generators/image/InterfacePictures.h"
#include "tools/data_builder/generators/image/Lettering.h"
#include "tools/data_builder/generators/model/InterfaceRecipe.h"
#include "tools/data_builder/generators/image/PixmapDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <stdexcept>
#include <utility>

using namespace Tools;

namespace {

struct ButtonPicture {
    const char* name;
    FrameGrid grid;
    std::function<Pixmap()> paint;
    // Per frame: whether it shows a disabled state, painted see-through.
    std::vector<bool> disabled;
};

} // namespace

// A frame shows one cell whole and nothing of its neighbours, and the cell
// is the one painted for the frame's state: the disabled ones last.
TEST(InterfaceGenerator, EachButtonFrameShowsTheCellPaintedForItsState)
{
    const std::vector<ButtonPicture> pictures = {
        {"main menu", MainMenuButtonGrid(), MainMenuButton, {false, false, false, true}},
        {"small", SmallButtonGrid(), [] { return SmallButton(ButtonSign::Close); }, {false, false, false, true}},
        {"full screen", FullScreenBoxGrid(), FullScreenBox, {false, false, false, false, false, false, true, true}},
    };
    for (const ButtonPicture& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const Pixmap pixmap = picture.paint();
        const auto frames = static_cast<std::uint32_t>(picture.disabled.size());
        const ModelFileData model = FramedSquare(picture.grid, frames);
        ASSERT_EQ(model.frameCount, frames);
        ASSERT_EQ(model.vertices.size(), 4u * frames);
        for (std::uint32_t frame = 0; frame < frames; ++frame) {
            float uLow = 1.0f;
            float uHigh = 0.0f;
            float v = 0.0f;
            std::set<std::pair<std::uint32_t, std::uint32_t>> cells;
            for (std::uint32_t i = 0; i < 4; ++i) {
                const ModelFileVertex& vertex = model.vertices[frame * 4 + i];
                const auto x = static_cast<std::uint32_t>(vertex.u * static_cast<float>(pixmap.Width()));
                const auto y = static_cast<std::uint32_t>(vertex.v * static_cast<float>(pixmap.Height()));
                cells.insert({x / picture.grid.cellWidth, y / picture.grid.cellHeight});
                uLow = std::min(uLow, vertex.u);
                uHigh = std::max(uHigh, vertex.u);
                v += vertex.v / 4.0f;
            }
            EXPECT_EQ(cells.size(), 1u) << "frame " << frame;
            // Left of the sign, inside the rim.
            const float u = uLow + (uHigh - uLow) * 0.15f;
            const Color& face = pixmap.At(static_cast<std::uint32_t>(u * static_cast<float>(pixmap.Width())),
                                            static_cast<std::uint32_t>(v * static_cast<float>(pixmap.Height())));
            if (picture.disabled[frame])
                EXPECT_LT(face.a, 0.7f) << "frame " << frame;
            else
                EXPECT_GT(face.a, 0.85f) << "frame " << frame;
        }
    }
    EXPECT_THROW(FramedSquare(SmallButtonGrid(), 5), std::runtime_error);
}

// The animator's box centre is the offset it adds: it starts at the offset
// and comes to rest at the origin, slowing down.
TEST(InterfaceGenerator, ASlideComesToRestAtTheOrigin)
{
    const ModelFileData slide = Slide({0.0f, -48.0f}, 6, 20.0f);
    ASSERT_EQ(slide.bounds.size(), 6u);
    std::vector<float> heights;
    for (const ModelFileBounds& box : slide.bounds) {
        EXPECT_FLOAT_EQ((box.min[0] + box.max[0]) / 2.0f, 0.0f);
        heights.push_back((box.min[1] + box.max[1]) / 2.0f);
    }
    EXPECT_FLOAT_EQ(heights.front(), -48.0f);
    EXPECT_FLOAT_EQ(heights.back(), 0.0f);
    for (std::size_t i = 2; i < heights.size(); ++i)
        EXPECT_LT(heights[i] - heights[i - 1], heights[i - 1] - heights[i - 2]) << i;
    EXPECT_FLOAT_EQ(slide.speed, 20.0f);
}

TEST(PixmapDrawing, ShapesAreNegativeInsideAndMeasureTheirEdges)
{
    std::vector<Point> star;
    for (int i = 0; i < 10; ++i) {
        const float angle = 3.14159265f * (0.5f + static_cast<float>(i) / 5.0f);
        const float radius = i % 2 == 0 ? 10.0f : 4.0f;
        star.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    struct Case {
        const char* name;
        Shape shape;
        Point at;
        float distance;
    };
    const Case cases[] = {
        {"box centre", RoundedBox({10.0f, 10.0f}, {8.0f, 4.0f}, 2.0f), {10.0f, 10.0f}, -4.0f},
        {"box side", RoundedBox({10.0f, 10.0f}, {8.0f, 4.0f}, 2.0f), {21.0f, 10.0f}, 3.0f},
        {"box corner", RoundedBox({0.0f, 0.0f}, {4.0f, 4.0f}, 2.0f), {5.0f, 5.0f}, std::sqrt(18.0f) - 2.0f},
        {"segment middle", Segment({0.0f, 0.0f}, {10.0f, 0.0f}, 1.0f), {5.0f, 3.0f}, 2.0f},
        {"segment end", Segment({0.0f, 0.0f}, {10.0f, 0.0f}, 1.0f), {13.0f, 4.0f}, 4.0f},
        // The inner corners are the nearest edge points of the centre.
        {"star centre", Polygon(star), {0.0f, 0.0f}, -4.0f},
        {"star tip", Polygon(star), {0.0f, 12.0f}, 2.0f},
        {"outline", Outline(Circle({0.0f, 0.0f}, 5.0f), 1.0f), {0.0f, 3.0f}, 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.shape(c.at), c.distance, 1e-4f) << c.name;
    // Between two points of the star lies outside it, up a point inside.
    EXPECT_GT(Polygon(star)({3.0f, 6.0f}), 0.0f);
    EXPECT_LT(Polygon(star)({0.0f, 8.0f}), 0.0f);
}

// An area may stretch its units unevenly: a circle of the area's units
// covers an ellipse of its pixels.
TEST(PixmapDrawing, AStretchedAreaDrawsInItsOwnUnits)
{
    Pixmap pixmap(64, 32, Color{0.0f, 0.0f, 0.0f, 0.0f});
    Fill(pixmap, {0, 0, 64, 32, {100.0f, 100.0f}}, Circle({50.0f, 50.0f}, 40.0f), Solid(Color{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_FLOAT_EQ(pixmap.At(32, 16).a, 1.0f);
    EXPECT_FLOAT_EQ(pixmap.At(55, 16).a, 1.0f);
    EXPECT_FLOAT_EQ(pixmap.At(60, 16).a, 0.0f);
    EXPECT_FLOAT_EQ(pixmap.At(32, 27).a, 1.0f);
    EXPECT_FLOAT_EQ(pixmap.At(32, 30).a, 0.0f);
    EXPECT_THROW(Fill(pixmap, {32, 0, 64, 32}, Circle({0.0f, 0.0f}, 1.0f), Solid(Color{})), std::runtime_error);
}

// The rows and columns of a lettering that hold ink.
std::pair<std::uint32_t, std::uint32_t> InkSize(const Pixmap& letters)
{
    std::uint32_t x0 = letters.Width(), x1 = 0, y0 = letters.Height(), y1 = 0;
    for (std::uint32_t y = 0; y < letters.Height(); ++y) {
        for (std::uint32_t x = 0; x < letters.Width(); ++x) {
            if (letters.At(x, y).a > 0.0f) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x + 1);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y + 1);
            }
        }
    }
    return {x1 - x0, y1 - y0};
}

// Lettering for a picture the screen stretches is drawn with the stretch
// undone: more pixels across widen it and leave its height.
TEST(InterfaceGenerator, LetteringTakesItsEmAcrossAndUpApart)
{
    const auto square = InkSize(Lettering("2-3", EmPixels{24, 24}));
    const auto wide = InkSize(Lettering("2-3", EmPixels{36, 24}));
    const auto tall = InkSize(Lettering("2-3", EmPixels{24, 36}));
    EXPECT_NEAR(static_cast<float>(wide.first) / square.first, 1.5f, 0.1f);
    EXPECT_NEAR(static_cast<float>(wide.second), static_cast<float>(square.second), 1.0f);
    EXPECT_NEAR(static_cast<float>(tall.second) / square.second, 1.5f, 0.1f);
    EXPECT_NEAR(static_cast<float>(tall.first), static_cast<float>(square.first), 1.0f);
    EXPECT_THROW(Lettering("2-3", EmPixels{24, 0}), std::runtime_error);
}

TEST(InterfaceGenerator, TheMakersNameIsSetAtTheLargestSizeThatFits)
{
    const Pixmap wide = Lettering(kMakerName, 96, 640);
    const Pixmap narrow = Lettering(kMakerName, 96, 300);
    EXPECT_LE(wide.Width(), 640u);
    EXPECT_GT(wide.Width(), 560u);
    EXPECT_LE(narrow.Width(), 300u);
    EXPECT_LT(narrow.Height(), wide.Height());
    float ink = 0.0f;
    for (std::uint32_t y = 0; y < wide.Height(); ++y)
        for (std::uint32_t x = 0; x < wide.Width(); ++x)
            ink += wide.At(x, y).a;
    EXPECT_GT(ink, 0.1f * static_cast<float>(wide.Width() * wide.Height()));
    EXPECT_THROW(Lettering(kMakerName, 96, 20), std::runtime_error);
}
