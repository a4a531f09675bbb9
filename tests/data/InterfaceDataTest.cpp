#include "engine/core/FileManager.h"
#include "engine/core/Image.h"
#include "engine/core/TimerManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game_tools/DataKeeper.h"
#include "tests/data/BuiltData.h"
#include "tests/data/DataChecker.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>

namespace {

using Halvard::Image;
using Halvard::u32;
using ::testing::IsEmpty;

constexpr const char* kPublishers = "data\\ui\\textures\\publishers\\";

// The pictures the interface reads by path and the effects of the game
// cursor, on the built data folder through the engine's own readers.
class InterfaceData : public ::testing::Test {
protected:
    InterfaceData() { keeper.AddResourcesFile("data\\ui\\resources_additional.xml", true); }

    std::unique_ptr<Image> Load(const std::string& path)
    {
        auto image = std::make_unique<Image>();
        EXPECT_TRUE(image->Load(engine->GetMessageManager(), engine->GetFileManager(), path)) << path;
        return image;
    }

    // The first byte of a pixel, counted from the lower left: red, or the
    // grey of an opacity picture.
    static int At(const Image& image, u32 x, u32 y)
    {
        const u32 bytes = image.GetBitsPerPixel() / 8;
        return image.GetData()[(static_cast<std::size_t>(y) * image.GetWidth() + x) * bytes];
    }

    // One frame of copies of the systems, as the cursor updates them.
    void Frame(std::initializer_list<Halvard::ParticleSystem*> systems)
    {
        clock.Advance(1.0 / 30.0);
        engine->GetTimerManager()->Update();
        for (Halvard::ParticleSystem* system : systems)
            system->Update();
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }

    Testing::FakeClock clock;
    Testing::ScopedClock scoped{clock};
    Testing::TestEngine engine{{.installFolder = Testing::GameFolderInternal()}};
    GameTools::DataKeeper keeper{&engine.Get(), "en", false};
};

TEST_F(InterfaceData, TheCursorAndTheLogosHaveTheirSizesAndOnlyTheFirstPublisherShips)
{
    struct Picture {
        std::string path;
        u32 width;
        u32 height;
    };
    const Picture pictures[] = {
        {"data\\ui\\cursors\\cursor.jpg", 64, 64},
        {"data\\ui\\cursors\\cursor_alpha.jpg", 64, 64},
        {std::string(kPublishers) + "0_logo_big.jpg", 1024, 1024},
        {std::string(kPublishers) + "0_logo_small.jpg", 256, 128},
        {std::string(kPublishers) + "0_logo_small_alpha.jpg", 256, 128},
    };
    for (const Picture& picture : pictures) {
        const auto image = Load(picture.path);
        EXPECT_EQ(image->GetWidth(), picture.width) << picture.path;
        EXPECT_EQ(image->GetHeight(), picture.height) << picture.path;
    }
    for (const std::string& file : Testing::ListDataFiles(Testing::GameFolder()))
        EXPECT_NE(file.rfind(std::string(kPublishers) + "1_", 0), 0u) << file;
    EXPECT_THAT(Errors(), IsEmpty());
}

// The GUI hangs the cursor's picture below and right of the mouse: the
// arrow's tip is the upper left corner, and its top row is ink only there.
TEST_F(InterfaceData, TheCursorsTipIsTheUpperLeftCorner)
{
    const auto loaded = Load("data\\ui\\cursors\\cursor_alpha.jpg");
    const Image& alpha = *loaded;
    ASSERT_EQ(alpha.GetWidth(), 64u);
    ASSERT_EQ(alpha.GetHeight(), 64u);
    const auto rowHasInk = [&](u32 y) {
        for (u32 x = 0; x < 64; ++x) {
            if (At(alpha, x, y) > 128)
                return true;
        }
        return false;
    };
    u32 top = 0;
    while (top < 64 && !rowHasInk(63 - top))
        ++top;
    EXPECT_LE(top, 2u) << "the arrow starts below the top";
    EXPECT_TRUE(At(alpha, 0, 63 - top) > 128 || At(alpha, 1, 63 - top) > 128);
    for (u32 x = 4; x < 64; ++x)
        EXPECT_LE(At(alpha, x, 63 - top), 128) << x;
    EXPECT_LT(At(alpha, 63, 0), 16) << "the lower right corner is clear";
}

// The logos window shows the lower left 800 x 600 of the big logo; the
// name is written there and the rest is one colour.
TEST_F(InterfaceData, TheBigLogoDrawsOnlyInThePartTheLogosWindowShows)
{
    const auto loaded = Load(std::string(kPublishers) + "0_logo_big.jpg");
    const Image& logo = *loaded;
    ASSERT_EQ(logo.GetWidth(), 1024u);
    ASSERT_EQ(logo.GetHeight(), 1024u);
    u32 bright = 0;
    int lowest = 255;
    int highest = 0;
    for (u32 y = 0; y < 1024; ++y) {
        for (u32 x = 0; x < 1024; ++x) {
            const int red = At(logo, x, y);
            if (x < 800 && y < 600) {
                bright += red > 200 ? 1 : 0;
                continue;
            }
            lowest = std::min(lowest, red);
            highest = std::max(highest, red);
        }
    }
    EXPECT_GT(bright, 5000u);
    EXPECT_LE(highest - lowest, 8);
}

// The trail loops behind the cursor and never runs out of particles; a
// click is one burst that is over within a second.
TEST_F(InterfaceData, TheCursorsTrailLoopsAndItsClickIsOneBurst)
{
    Halvard::ParticleSystemManager& manager = *engine->GetParticleSystemManager();
    Halvard::ParticleSystem* train = manager.CopyParticleSystem(*keeper.GetParticleSystem("ui/cursor_train"));
    Halvard::ParticleSystem* click = manager.CopyParticleSystem(*keeper.GetParticleSystem("ui/cursor_click"));
    train->looping = true;
    click->looping = false;
    u32 trainPeak = 0;
    u32 clickPeak = 0;
    for (Halvard::ParticleSystem* system : {train, click}) {
        system->SetVisible(true);
        system->emissionTime = 0.0f;
        system->emitting = true;
    }
    for (int frame = 0; frame < 60; ++frame) {
        Frame({train, click});
        trainPeak = std::max(trainPeak, train->liveCount);
        clickPeak = std::max(clickPeak, click->liveCount);
        if (frame == 6)
            EXPECT_FALSE(click->emitting) << "the burst lasts a fifth of a second at most";
    }
    EXPECT_TRUE(train->emitting);
    EXPECT_GT(train->liveCount, 0u);
    EXPECT_LT(trainPeak, train->GetCapacity());
    EXPECT_GE(clickPeak, 12u);
    EXPECT_LE(clickPeak, click->GetCapacity());
    EXPECT_EQ(click->liveCount, 0u);
    manager.DestroyParticleSystem(train);
    manager.DestroyParticleSystem(click);
    EXPECT_THAT(Errors(), IsEmpty());
}

} // namespace
