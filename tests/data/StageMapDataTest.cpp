#include "engine/core/Image.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "game/LevelManager.h"
#include "game/windows/parts/GUIMapElement.h"
#include "game/windows/parts/GUIStageMap.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/GUIDoubleClickDetecter.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/controls/GUIControl.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"
#include "tools/data_builder/DataBuilder.h"
#include "tools/data_builder/generators/level/StageMapGenerator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tamrisk::GUIStageMap;

// The map is the level list drawn: the game numbers its points by their
// kinds, and those numbers must name the levels in play order, with the
// start on the first, a check point on the first of every later stage and
// the finish on the last.
TEST(StageMapData, TheShippedMapHasOnePointPerLevelInPlayOrder)
{
    Testing::TestEngine engine({.installFolder = Testing::GameFolderInternal()});
    const Tamrisk::LevelManager levels(&engine.Get());
    const GUIStageMap map(&engine.Get());
    const std::vector<GUIStageMap::Element>& elements = map.GetElements();
    ASSERT_EQ(elements.size(), levels.GetTotalLevelCount());
    GameFramework::LevelReference level{0, 0};
    for (std::size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(elements[i].stage, level.stage);
        EXPECT_EQ(elements[i].level, level.level);
        Halvard::u32 kind = level.level == 0 ? GUIStageMap::kCheckPoint : GUIStageMap::kPathPoint;
        if (i == 0)
            kind = GUIStageMap::kStart;
        else if (levels.IsLastLevel(level))
            kind = GUIStageMap::kFinish;
        EXPECT_EQ(elements[i].kind, kind);
        level = levels.GetNextLevel(level);
    }
}

constexpr const char* kPicture = "data\\ui\\textures\\stage_map.tga";

// A rectangle of the 800 x 600 interface's units.
struct Box {
    float left = 0.0f;
    float bottom = 0.0f;
    float right = 0.0f;
    float top = 0.0f;
};

std::ostream& operator<<(std::ostream& out, const Box& box)
{
    return out << "(" << box.left << ", " << box.bottom << ")-(" << box.right << ", " << box.top << ")";
}

Box BoxOf(const Halvard::Model& model)
{
    const Halvard::Vector3& low = model.boundingBox.GetWorldMin();
    const Halvard::Vector3& high = model.boundingBox.GetWorldMax();
    return {low.x, low.y, high.x, high.y};
}

bool Overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

float Distance(float x, float y, const Box& box)
{
    return std::hypot(std::max({box.left - x, 0.0f, x - box.right}), std::max({box.bottom - y, 0.0f, y - box.top}));
}

// The nearest approach of the straight line from a to b, walked in steps
// far finer than the way is wide.
float Distance(const Halvard::Vector2& a, const Halvard::Vector2& b, const Box& box)
{
    const int steps = 2000;
    float nearest = std::numeric_limits<float>::max();
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        nearest = std::min(nearest, Distance(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, box));
    }
    return nearest;
}

float Distance(const Halvard::Vector2& point, const Box& box) { return Distance(point.x, point.y, box); }

// What the picture shows in a box: its pixels of the name's pale ink, those
// of the dark plate beneath, and how many rows the ink spans.
struct Lettering {
    int ink = 0;
    int plate = 0;
    int pixels = 0;
    int inkRows = 0;
};

Lettering LetteringIn(const Halvard::Image& picture, const Box& box)
{
    const float perX = static_cast<float>(picture.GetWidth()) / 800.0f;
    const float perY = static_cast<float>(picture.GetHeight()) / 600.0f;
    Lettering found;
    for (auto y = static_cast<Halvard::u32>(std::ceil(box.bottom * perY)); y < box.top * perY - 1.0f; ++y) {
        bool inkInRow = false;
        for (auto x = static_cast<Halvard::u32>(std::ceil(box.left * perX)); x < box.right * perX - 1.0f; ++x) {
            const Halvard::u8* rgba = picture.GetData() + (static_cast<std::size_t>(y) * picture.GetWidth() + x) * 4;
            const float luminance = (0.2126f * rgba[0] + 0.7152f * rgba[1] + 0.0722f * rgba[2]) / 255.0f;
            const bool ink = rgba[3] > 200 && luminance > 0.88f;
            found.ink += ink ? 1 : 0;
            found.plate += rgba[3] > 180 && luminance < 0.15f ? 1 : 0;
            ++found.pixels;
            inkInRow = inkInRow || ink;
        }
        found.inkRows += inkInRow ? 1 : 0;
    }
    return found;
}

// The stage map window as the game builds it from its description, and
// the map's points as the game draws them, off screen on the built data.
class StageMapNames : public ::testing::Test {
protected:
    StageMapNames()
        : engine({.installFolder = Testing::GameFolderInternal()}),
          keeper(&engine.Get(), "en", false), tools(&engine.Get(), "en"), detecter(&engine.Get())
    {
        keeper.AddResourcesFile("data\\ui\\resources_basic.xml", true);
        keeper.AddResourcesFile("data\\ui\\resources_additional.xml", true);
        tools.GetFontTool()->LoadAdditionalFonts();
        window = std::make_unique<GUITools::GUIWindowBase>(&engine.Get(), &keeper, &tools, nullptr,
                                                            "window_start_game");
        const GUIStageMap map(&engine.Get());
        for (const GUIStageMap::Element& element : map.GetElements())
            points.push_back(std::make_unique<Tamrisk::GUIMapElement>(&engine.Get(), &keeper, &detecter, element,
                                                                      nullptr));
    }

    // The window's own controls where its description places them, each
    // inside its parent; not the window itself nor the frame that holds the
    // map's picture, which cover the whole interface.
    std::vector<std::pair<std::string, Box>> Controls() const
    {
        std::map<const Halvard::GUIWindow*, const GUITools::GUIControl*> byWidget;
        for (const auto& control : window->GetControls())
            byWidget[control->GetWindow()] = control.get();
        std::vector<std::pair<std::string, Box>> controls;
        for (const auto& control : window->GetControls()) {
            Halvard::Vector2 at = control->GetPosition();
            for (const Halvard::GUIWindow* parent = control->GetWindow()->GetParent(); byWidget.count(parent) > 0;
                 parent = parent->GetParent())
                at += byWidget[parent]->GetPosition();
            const Halvard::Vector2& size = control->GetSize();
            if (size.x < 800.0f || size.y < 600.0f)
                controls.emplace_back(control->GetName(), Box{at.x, at.y, at.x + size.x, at.y + size.y});
        }
        return controls;
    }

    Box Drawn(std::size_t point) const { return BoxOf(*points[point]->GetWindow()->GetModel()); }
    Box Shadow(std::size_t point) const { return BoxOf(*points[point]->GetShadow()->GetModel()); }
    Halvard::Vector2 Centre(std::size_t point) const
    {
        const Box drawn = Drawn(point);
        return {(drawn.left + drawn.right) / 2.0f, (drawn.bottom + drawn.top) / 2.0f};
    }

    Testing::TestEngine engine;
    GameTools::DataKeeper keeper;
    GUITools::GUIToolManager tools;
    GameTools::GUIDoubleClickDetecter detecter;
    std::unique_ptr<GUITools::GUIWindowBase> window;
    std::vector<std::unique_ptr<Tamrisk::GUIMapElement>> points;
};

// Each name's ink, pale on a dark plate, at least 12 pixels high on a 1024 x
// 768 screen.
void ExpectPainted(const Halvard::Image& picture, const Box& box)
{
    const Lettering lettering = LetteringIn(picture, box);
    EXPECT_GT(lettering.ink, lettering.pixels / 12) << "the name's ink";
    EXPECT_GT(lettering.plate, lettering.pixels / 2) << "the plate behind it";
    const float screenPixelsPerRow = 768.0f / static_cast<float>(picture.GetHeight());
    EXPECT_GE(static_cast<float>(lettering.inkRows) * screenPixelsPerRow, 12.0f) << "screen pixels high";
}

Box BoxOf(const Tools::UnitBox& box) { return {box.low[0], box.low[1], box.high[0], box.high[1]}; }

// A new player tells the levels apart by the names painted beside their
// points: each level's name, as the game numbers the map's points, lies in
// the box the builder gives it in the shipped picture; the box lies in the
// picture, nearer its own point than any other, clear of every point's
// picture and shadow as the game draws them, of the way between the points,
// of the other names and of the window's title and buttons.
TEST_F(StageMapNames, EachLevelIsNamedBesideItsPointClearOfTheMapAndOfTheWindow)
{
    Tools::DataSet source;
    Tools::CopyHandWritten(TAMRISK_DATA_SOURCE, source);
    const Tools::StageMap made = Tools::MakeStageMap(source);
    Halvard::Image picture;
    ASSERT_TRUE(picture.Load(engine->GetMessageManager(), engine->GetFileManager(), kPicture));
    const std::vector<std::uint8_t> madePixels =
        made.painting.picture.Bytes(Tools::Pixmap::Order::Rgb, Tools::Pixmap::Alpha::With);
    ASSERT_EQ(picture.GetBitsPerPixel(), 32u);
    ASSERT_TRUE(std::equal(madePixels.begin(), madePixels.end(), picture.GetData(),
                           picture.GetData() + picture.GetByteSize()))
        << "the labels are those of the shipped picture";
    const std::vector<Tools::StageMapLabel>& labels = made.painting.labels;
    ASSERT_EQ(labels.size(), points.size());
    ASSERT_GE(Controls().size(), 4u) << "the title, its banner and the two buttons";
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const Box box = BoxOf(labels[i].box);
        SCOPED_TRACE(labels[i].name + " in " + testing::PrintToString(box));
        EXPECT_EQ(labels[i].name,
                  std::to_string(points[i]->GetStage() + 1) + "-" + std::to_string(points[i]->GetLevel() + 1));
        ExpectPainted(picture, box);
        EXPECT_TRUE(box.left >= 0.0f && box.bottom >= 0.0f && box.right <= 800.0f && box.top <= 600.0f);
        for (std::size_t j = 0; j < points.size(); ++j) {
            EXPECT_FALSE(Overlap(box, Drawn(j))) << "the picture of point " << j << ": " << Drawn(j);
            EXPECT_FALSE(Overlap(box, Shadow(j))) << "the shadow of point " << j << ": " << Shadow(j);
            if (j != i) {
                EXPECT_LT(Distance(Centre(i), box), Distance(Centre(j), box)) << "nearer point " << j;
            }
            if (j > 0) {
                EXPECT_GE(Distance(Centre(j - 1), Centre(j), box), Tools::kStageMapWayHalfWidth) << "way " << j;
            }
            EXPECT_TRUE(j == i || !Overlap(box, BoxOf(labels[j].box))) << labels[j].name;
        }
        for (const auto& [name, control] : Controls())
            EXPECT_FALSE(Overlap(box, control)) << name << " " << control;
    }
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), ::testing::IsEmpty());
}

} // namespace
