#pragma once

#include "framework/cursor/GUIGameCursorBase.h"

namespace Halvard {
class ParticleSystem;
class ParticleSystemManager;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
}

namespace Tamrisk {

// The game's mouse cursor: the custom picture of "ui\cursors\cursor.jpg" as
// shape 0 beside the system's arrow, a particle trail that follows the
// cursor and a burst at every press of the left button. The effects exist
// from CreateEffects on; the trail emits only while the cursor is shown and
// the trail is enabled, and clicks burst only while it is enabled. Owns both
// effects. Main thread only.
class GUIGameCursor : public GameFramework::GUIGameCursorBase {
public:
    static constexpr Halvard::u32 kCursorId = 0;
    // The program's cursor resource: the platform's arrow.
    static constexpr Halvard::u16 kArrowResource = 1000;
    static constexpr float kCursorSize = 40.0f;
    // The picture's textures, below the data folder.
    static constexpr const char* kPicture = "ui\\cursors\\cursor.jpg";
    static constexpr const char* kPictureAlpha = "ui\\cursors\\cursor_alpha.jpg";
    static constexpr const char* kTrainName = "ui/cursor_train";
    static constexpr const char* kClickName = "ui/cursor_click";
    // Where the trail starts, from the cursor's hot spot.
    static constexpr float kTrainOffsetX = 12.0f;
    static constexpr float kTrainOffsetY = -18.0f;

    // Throws FileError naming a picture beyond the start pictures' bound
    // (StartPicture).
    explicit GUIGameCursor(Halvard::Engine* engine);
    ~GUIGameCursor() override;

    bool Update() override;
    void SetVisible(bool visible) override;

    // Copies both effects from the interface data, once its additional
    // resources are loaded.
    void CreateEffects(GameTools::DataKeeper* resources);
    void EnableTrain(bool enable);

    bool IsTrainEnabled() const { return trainEnabled_; }
    Halvard::ParticleSystem* GetTrain() const { return train_; }
    Halvard::ParticleSystem* GetClick() const { return click_; }

private:
    Halvard::ParticleSystem* CopyEffect(GameTools::DataKeeper& resources, const char* name) const;

    Halvard::GUIManager* gui_;
    Halvard::ParticleSystemManager* particleSystems_;
    Halvard::Controls* controls_;
    Halvard::ParticleSystem* train_ = nullptr;
    Halvard::ParticleSystem* click_ = nullptr;
    bool trainEnabled_ = true;
};

} // namespace Tamrisk
