#include "game/SoundTable.h"

#include <algorithm>

namespace Tamrisk {

const std::vector<GuiSoundEntry>& GetGuiSoundTable()
{
    static const std::vector<GuiSoundEntry> table = {
        {0, {"menu", "button_select_0"}}, {0, {"menu", "button_select_1"}}, {1, {"menu", "button_click"}},
        {2, {"menu", "button_select_0"}}, {3, {"menu", "button_click"}},    {4, {"menu", "button_select_0"}},
        {5, {"menu", "button_click"}},    {6, {"menu", "button_select_0"}}, {7, {"menu", "button_click"}},
        {8, {"menu", "button_select_0"}}, {9, {"menu", "button_click"}},    {10, {"menu", "edit_box_print"}},
    };
    return table;
}

const std::vector<MusicEntry>& GetMusicTable()
{
    static const std::vector<MusicEntry> table = {
        {kMusicMenu, {"music", "menu"}, true},
        {kMusicGame, {"music", "game0"}, true},
    };
    return table;
}

const std::vector<EffectEntry>& GetEffectTable()
{
    static const std::vector<EffectEntry> table = {
        {kSoundWindowAppear, {"menu", "window_appear"}, false, 1},
        {kSoundWindowDisappear, {"menu", "window_disappear"}, false, 1},
        {kSoundVolumeSlider, {"menu", "volume_slider"}, true, 1},
        {kSoundUpgrade, {"menu", "upgrade"}, false, 1},
        {kSoundChargeScore, {"menu", "charge_score"}, true, 1},
        {kSoundLevelBegin, {"game", "level_begin"}, false, 1},
        {kSoundLevelComplete, {"game", "level_complete"}, false, 1},
        {kSoundLevelFailed, {"game", "level_failed"}, false, 1},
        {kSoundHitHardBrick, {"game", "hit_hard_brick"}, false, 2},
        {kSoundHitUnbreakableBrick, {"game", "hit_unbreakable_brick"}, false, 2},
        {kSoundCrashSimpleBrick0, {"game", "crash_simple_brick_0"}, false, 2},
        {kSoundCrashSimpleBrick1, {"game", "crash_simple_brick_1"}, false, 2},
        {kSoundCrashSimpleBrick2, {"game", "crash_simple_brick_2"}, false, 2},
        {kSoundCrashHardBrick, {"game", "crash_hard_brick"}, false, 2},
        {kSoundCrashUnbreakableBrick, {"game", "crash_unbreakable_brick"}, false, 2},
        {kSoundCrashExplosiveBrick, {"game", "crash_explosive_brick"}, false, 2},
        {kSoundCrashBallKeeper, {"game", "crash_ballkeeper"}, false, 1},
        {kSoundBallHitBat, {"game", "ball_hit_bat"}, false, 2},
        {kSoundBallHitFieldSimple, {"game", "ball_hit_field_simple"}, false, 1},
        {kSoundBallHitFieldSuper, {"game", "ball_hit_field_super"}, false, 1},
        {kSoundBallHitBarrier, {"game", "ball_hit_barrier"}, false, 1},
        {kSoundBallLost, {"game", "ball_losed"}, false, 1},
        {kSoundBonusCreation, {"game", "bonus_creation"}, false, 2},
        {kSoundBonusGet, {"game", "bonus_get"}, false, 1},
        {kSoundArbalestShot, {"game", "arbalest_shot"}, false, 2},
        {kSoundBallistaShot, {"game", "ballista_shot"}, false, 2},
        {kSoundArbalestHitField, {"game", "arbalest_hit_field"}, false, 1},
        {kSoundBallistaHitField, {"game", "ballista_hit_field"}, false, 1},
        {kSoundBatCreation, {"game", "bat_creation"}, false, 1},
        {kSoundBatDestruction, {"game", "bat_destruction"}, false, 1},
        {kSoundHammer, {"game", "hammer"}, false, 2},
    };
    return table;
}

std::vector<SoundFileName> GetRegisteredSoundFiles()
{
    std::vector<SoundFileName> files;
    const auto add = [&files](const SoundFileName& file) {
        if (std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    };
    for (const GuiSoundEntry& entry : GetGuiSoundTable())
        add(entry.file);
    for (const MusicEntry& entry : GetMusicTable())
        add(entry.file);
    for (const EffectEntry& entry : GetEffectTable())
        add(entry.file);
    return files;
}

} // namespace Tamrisk
