#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace GameTools {
class DataKeeper;
class XMLNode;
} // namespace GameTools

namespace Halvard {
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace Halvard

namespace Tamrisk {

class Ball;
struct BlockRecord;
class Effects;
class GameGeometry;
class Shadow;

// What every block of a level is made with; nothing here is owned.
struct BlockContext {
    Halvard::Engine* engine = nullptr;
    // The interface data ("blocks/..." effects) and the level data
    // ("geometry/..." models).
    GameTools::DataKeeper* interfaceData = nullptr;
    GameTools::DataKeeper* levelData = nullptr;
    Effects* effects = nullptr;
    GameGeometry* geometry = nullptr;
};

// Anything standing on the field: a model placed by the level's geometry,
// possibly moving along the level's key frames, possibly stacked on other
// blocks. Blocks appear stack level by stack level, hop when hit, fall when
// what they stand on goes, and are destroyed by balls, blasts and weapons;
// the geometry deletes a block once it is no longer alive. Main thread only.
class Block {
public:
    enum BlockKind : Halvard::u32 { kBrick = 0, kBallKeeper = 1, kOther = 2 };

    // Destruction kinds.
    static constexpr Halvard::u32 kSimple = 0;
    static constexpr Halvard::u32 kSuper = 1;
    // How far apart two faces may lie and still touch, for the jolt.
    static constexpr float kContactDistance = 3.0f;

    // The record and its description must outlive the block.
    Block(const BlockContext& context, const GameTools::XMLNode* description, const BlockRecord* record);
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    virtual ~Block();

    virtual void Spawn();
    // frameA, frameB and t: the level's two current key frames and the blend.
    virtual void Update(Halvard::u32 frameA, Halvard::u32 frameB, float t);
    virtual void Destroy(Halvard::u32 kind, bool spread);
    virtual void Fall();
    virtual void SetVisible(bool visible);
    virtual void UpdateTransform();
    virtual BlockKind GetBlockKind() const { return kOther; }
    // The ball a hit has just set free, which leaves in the hitting ball's
    // direction; only a ball keeper holds one.
    virtual Ball* GetReleasedBall() const { return nullptr; }

    void Appear(float delay);
    void MarkForExplosion(const Halvard::Vector3& centre);
    void SpreadExplosion();
    void PlaceEffect(Halvard::ParticleSystem* system) const;
    // The height of the block's base above the field.
    float GetStackHeight() const;

    void AddAbove(Block* block);
    void AddBelow(Block* block);
    void RemoveAbove(Block* block);
    void RemoveBelow(Block* block);

    void SetExplosionGroup(Halvard::u32 group);
    bool HasExplosionGroup() const { return hasExplosionGroup_ != 0; }
    Halvard::u32 GetExplosionGroup() const { return explosionGroup_; }

    const std::string& GetName() const { return name_; }
    const GameTools::XMLNode* GetDescription() const { return description_; }
    Halvard::Model* GetModel() const { return model_; }
    Halvard::Model* GetCollisionModel() const { return collisionModel_; }
    Shadow* GetShadow() const { return shadow_; }
    bool HasShadow() const { return hasShadow_ != 0; }
    Halvard::u32 GetKindFlags() const { return kindFlags_; }
    bool IsAlive() const { return alive_ != 0; }
    bool IsMarked() const { return marked_ != 0; }
    bool IsAppearing() const { return appearing_ != 0; }
    bool Falls() const { return falls_ != 0; }
    const Halvard::BoundingBox& GetLocalBox() const { return localBox_; }
    const Halvard::BoundingBox& GetBox() const;
    const Halvard::Vector3& GetPosition() const { return position_; }
    const Halvard::Matrix4& GetTransform() const { return transform_; }
    float GetFallHeight() const { return fallHeight_; }
    float GetFallSpeed() const { return fallSpeed_; }
    const std::vector<Block*>& GetSupports() const { return supports_; }
    const std::vector<Block*>& GetAbove() const { return above_; }

protected:
    // A hidden, not looping copy of the interface data's particle system.
    Halvard::ParticleSystem* CopyEffect(const std::string& name) const;
    void DestroyEffect(Halvard::ParticleSystem*& system);
    // Hands the effect to the effects list, placed on the block; the block
    // no longer holds it.
    void PlayEffect(Halvard::ParticleSystem*& system);
    bool StandsOnGround() const { return supports_.empty(); }

private:
    void SetRenderFlags();
    void FollowKeyFrames(Halvard::u32 frameA, Halvard::u32 frameB, float t);
    // Another support of this block whose top meets this block's bottom.
    const Block* FindOtherSupport(const Block* hit) const;

protected:
    Halvard::Engine* engine_;
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::ParticleSystemManager* particleSystems_;
    GameTools::DataKeeper* interfaceData_;
    GameTools::DataKeeper* levelData_;
    Effects* effects_;
    const GameTools::XMLNode* description_;
    GameGeometry* geometry_;
    const BlockRecord* record_;
    std::string name_;
    Halvard::Model* model_ = nullptr;
    Shadow* shadow_ = nullptr;
    Halvard::Model* collisionModel_ = nullptr;
    Halvard::u32 kindFlags_ = 0;
    Halvard::u8 falls_ = 1;
    Halvard::BoundingBox localBox_;
    Halvard::Vector3 position_;
    Halvard::Matrix4 translation_;
    Halvard::Quaternion rotation_;
    Halvard::Matrix4 rotationMatrix_;
    Halvard::Vector3 scale_{1.0f, 1.0f, 1.0f};
    Halvard::Matrix4 scaleMatrix_;
    Halvard::Matrix4 transform_;
    std::vector<Block*> supports_;
    std::vector<Block*> above_;
    Halvard::u8 alive_ = 0;
    Halvard::u8 marked_ = 0;
    float markDelay_ = 0.0f;
    Halvard::Vector3 blastCentre_;
    float restHeight_ = 0.0f;
    float fallHeight_ = 0.0f;
    float fallSpeed_ = 0.0f;
    Halvard::u8 appearing_ = 0;
    float appearDelay_ = 0.0f;
    Halvard::ParticleSystem* creationEffect_ = nullptr;
    Halvard::ParticleSystem* secondCreationEffect_ = nullptr;
    Halvard::ParticleSystem* simpleDestruction_ = nullptr;
    Halvard::ParticleSystem* superDestruction_ = nullptr;
    Halvard::ParticleSystem* currentDestruction_ = nullptr;
    Halvard::u8 alwaysDrawShadow_ = 0;
    Halvard::u8 hasShadow_ = 1;
    Halvard::u8 hasExplosionGroup_ = 0;
    Halvard::u32 explosionGroup_ = 0;
};

} // namespace Tamrisk
