#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class Camera;
class FileBinary;
class FileManager;
class MessageManager;
class Model;
class ShaderDescriptor;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
class TimerManager;

// Emits, moves and retires up to a fixed number of particles, each drawn as
// one sprite of the system's registered sprite group. Six keys spread evenly
// over an emission cycle, or over a particle's life, describe how emission,
// motion, colour and size change; values between keys are blended linearly.
// Directions, gravity and the floor use the world axes with z up. Game code
// starts a cycle by setting emissionTime to 0 and emitting, and making the
// system visible; a hidden system is not simulated. Particle records are
// made once and reused. Main thread only for everything but the built-in
// and file constructors, which make templates: those may run on whichever
// thread loads the data, since a template's sprite group and model stay out
// of the managers' tables.
class ParticleSystem {
public:
    static constexpr u32 kKeyCount = 6;
    static constexpr u32 kFileVersion = 204;
    static constexpr u32 kOldFileVersion = 203;
    // A file asking for more particles than this is taken as damaged: the
    // sprite group's buffers grow with the capacity.
    static constexpr u32 kMaxCapacity = 16384;
    static constexpr float kMinDuration = 0.001f;

    struct Particle {
        u8 free;
        u32 sprite;
        float lifetime;
        float age;
        Vector3 direction;
        Vector3 directionKeys[kKeyCount];
        float speedKeys[kKeyCount];
        float speedFactor;
        float fallSpeed;
    };

    // The built-in system named "self_made".
    ParticleSystem(MessageManager* messages, FileManager* files, TimerManager* timers, SpriteGroupManager* sprites,
                   Camera* camera);
    // Reads a particle-system file below the data folder; throws Error (after
    // logging it) when the file cannot be read or holds impossible values.
    ParticleSystem(MessageManager* messages, FileManager* files, TimerManager* timers, SpriteGroupManager* sprites,
                   const std::string& path, Camera* camera);
    // The source's description with its own, idle particles.
    ParticleSystem(const ParticleSystem& source);
    ParticleSystem& operator=(const ParticleSystem&) = delete;
    virtual ~ParticleSystem();

    // One frame of the timer manager's frame time.
    void Update();
    void SetPosition(const Vector3& position) { position_ = position; }
    const Vector3& GetPosition() const { return position_; }
    // The box emitter's volume, relative to the position; owners that move
    // the volume itself (a background layer following its window) set it.
    const BoundingBox& GetEmitterBox() const { return box_; }
    void SetEmitterBox(const Vector3& min, const Vector3& max) { box_.SetMinMax(min, max); }
    // Retires every live particle at once.
    void Clear();
    // Ends the cycle and hides the system, so that the next start begins a
    // fresh cycle: its first keys emit again and nothing owed carries over.
    // Particles already flying are kept (a hidden system does not move them).
    void Stop();

    void SetVisible(bool visible);
    bool IsVisible() const;
    void SetColor(const Vector4& color);
    void SetShader(const ShaderDescriptor* descriptor);
    ShaderUser* GetShaderUser() const;
    Model* GetModel() const;

    const std::string& GetName() const { return name_; }
    u32 GetCapacity() const { return capacity_; }
    SpriteGroup* GetSpriteGroup() const { return group_; }

    // Emitter shapes; any other value acts as a point.
    enum Shape : u32 { kPoint = 0, kBox = 1, kPointList = 2 };
    u32 emitterShape = kPoint;
    // Shape kPointList starts particles on these points, or on the segments
    // between neighbours when segments is set; the emitter position is not
    // added. The owner fills the list.
    std::vector<Vector3> points;
    bool segments = false;

    float emissionTime = 0.0f;
    bool looping = false;
    bool emitting = false;
    // Particles alive after the last update.
    u32 liveCount = 0;

private:
    struct Description {
        float duration;
        u8 gravityOn;
        float gravity;
        u8 floorOn;
        float floorHeight;
        float bounceFactor;
        u8 stopKills;
        float stopThreshold;
        u8 interpolatedEmission;
        float emission[kKeyCount];
        float lifetimeCentre[kKeyCount];
        float lifetimeSpread[kKeyCount];
        Vector3 directionCentre[kKeyCount];
        Vector3 directionSpread[kKeyCount];
        Vector4 color[kKeyCount];
        float size[kKeyCount];
        float speedCentre[kKeyCount];
        float speedSpread[kKeyCount];
    };

    void SetDefaults();
    std::shared_ptr<const ShaderDescriptor> ReadFile(const std::string& path);
    void ReadBody(FileBinary& file, const std::string& path, u32 version);
    void Build(const ShaderDescriptor* descriptor, Camera* camera);
    void MakeParticles();

    void AdvanceCycle(float dt);
    void Emit(float dt);
    void EmitOne(u32 slot, float lifetimeCentre, float lifetimeSpread);
    Vector3 StartPosition() const;
    void Move(Particle& particle, float dt);
    void Retire(Particle& particle, u32 slot);

    MessageManager* messages_;
    FileManager* files_;
    TimerManager* timers_;
    SpriteGroupManager* sprites_;
    std::string name_;
    Description description_;
    SpriteGroup* group_ = nullptr;
    // The group of a template, which is never drawn; a copy's group belongs
    // to the sprite-group manager.
    std::unique_ptr<SpriteGroup> ownGroup_;
    float accumulator_ = 0.0f;
    std::deque<u32> freeSlots_;
    u32 capacity_ = 0;
    std::vector<Particle> particles_;
    i32 lastEmissionKey_ = -1;
    Vector3 position_{0.0f, 0.0f, 0.0f};
    BoundingBox box_;
};

} // namespace Halvard
