#include "engine/render/ParticleSystem.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/core/VersionedHeader.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/SpriteServices.h"

#include <algorithm>
#include <cmath>

namespace Halvard {

namespace {

constexpr u32 kFileSize = 453;
constexpr u32 kOldFileSize = 429;
constexpr VersionedHeader::Format kFormat{"HVPSF", ParticleSystem::kOldFileVersion, ParticleSystem::kFileVersion};
// Fewer than this in both centre and spread: the key adds nothing new, and
// the particle keeps the direction of the key before.
constexpr float kNoDirection = 0.05f;
// World units per unit of speed and second.
constexpr float kSpeedScale = 100.0f;

// Where a time lies among six keys spread evenly over a span: between key k
// and key k1 (the key after the last is the first), a fraction f past k.
struct KeyBlend {
    u32 k;
    u32 k1;
    float f;
};

KeyBlend BlendAt(float time, float span)
{
    float position = time / span * static_cast<float>(ParticleSystem::kKeyCount - 1);
    // Negative or not-a-number positions cannot index the keys.
    if (!(position > 0.0f))
        position = 0.0f;
    position = std::min(position, static_cast<float>(ParticleSystem::kKeyCount - 1));
    const auto k = static_cast<u32>(position);
    const u32 k1 = k + 1 == ParticleSystem::kKeyCount ? 0 : k + 1;
    return KeyBlend{k, k1, position - static_cast<float>(k)};
}

float Blend(const float (&keys)[ParticleSystem::kKeyCount], const KeyBlend& at)
{
    return keys[at.k] * (1.0f - at.f) + keys[at.k1] * at.f;
}

Vector3 Blend(const Vector3 (&keys)[ParticleSystem::kKeyCount], const KeyBlend& at)
{
    return keys[at.k] * (1.0f - at.f) + keys[at.k1] * at.f;
}

Vector4 Blend(const Vector4 (&keys)[ParticleSystem::kKeyCount], const KeyBlend& at)
{
    const Vector4& a = keys[at.k];
    const Vector4& b = keys[at.k1];
    const float u = 1.0f - at.f;
    return Vector4(a.x * u + b.x * at.f, a.y * u + b.y * at.f, a.z * u + b.z * at.f, a.w * u + b.w * at.f);
}

// Each axis drawn in turn: the order of the draws decides the values.
Vector3 RandomVector(const Vector3& centre, const Vector3& spread)
{
    const float x = RandomSpread(centre.x, spread.x);
    const float y = RandomSpread(centre.y, spread.y);
    const float z = RandomSpread(centre.z, spread.z);
    return Vector3(x, y, z);
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

u8 ReadFlag(FileBinary& file)
{
    u8 flag = 0;
    file.Read(&flag, 1);
    return flag != 0 ? 1 : 0;
}

void ReadKeys(FileBinary& file, float (&keys)[ParticleSystem::kKeyCount])
{
    for (float& key : keys)
        key = file.ReadFloat();
}

void ReadKeys(FileBinary& file, Vector3 (&keys)[ParticleSystem::kKeyCount])
{
    for (Vector3& key : keys)
        key = file.ReadVector3();
}

void ReadKeys(FileBinary& file, Vector4 (&keys)[ParticleSystem::kKeyCount])
{
    for (Vector4& key : keys) {
        const float r = file.ReadFloat();
        const float g = file.ReadFloat();
        const float b = file.ReadFloat();
        key = Vector4(r, g, b, file.ReadFloat());
    }
}

} // namespace

ParticleSystem::ParticleSystem(MessageManager* messages, FileManager* files, TimerManager* timers,
                               SpriteGroupManager* sprites, Camera* camera)
    : messages_(messages), files_(files), timers_(timers), sprites_(sprites), name_("self_made")
{
    SetDefaults();
    Build(nullptr, camera);
}

ParticleSystem::ParticleSystem(MessageManager* messages, FileManager* files, TimerManager* timers,
                               SpriteGroupManager* sprites, const std::string& path, Camera* camera)
    : messages_(messages), files_(files), timers_(timers), sprites_(sprites), name_(path)
{
    SetDefaults();
    const std::shared_ptr<const ShaderDescriptor> shader = ReadFile(path);
    Build(shader.get(), camera);
}

ParticleSystem::ParticleSystem(const ParticleSystem& source)
    : emitterShape(source.emitterShape), messages_(source.messages_), files_(source.files_),
      timers_(source.timers_), sprites_(source.sprites_), name_(source.name_), description_(source.description_),
      group_(source.sprites_->CopySpriteGroup(*source.group_, false)), capacity_(source.capacity_),
      box_(source.box_)
{
    MakeParticles();
}

ParticleSystem::~ParticleSystem()
{
    if (ownGroup_ == nullptr)
        sprites_->DestroySpriteGroup(group_);
}

void ParticleSystem::SetDefaults()
{
    Description& d = description_;
    d.duration = 1.0f;
    d.gravityOn = 1;
    d.gravity = 1.0f;
    d.floorOn = 1;
    d.floorHeight = -1.0f;
    d.bounceFactor = 0.9f;
    d.stopKills = 1;
    d.stopThreshold = 0.4f;
    d.interpolatedEmission = 1;
    for (u32 i = 0; i < kKeyCount; ++i) {
        d.emission[i] = 10.0f;
        d.lifetimeCentre[i] = 1.0f;
        d.lifetimeSpread[i] = 0.0f;
        d.directionCentre[i] = Vector3(0.0f, 0.0f, 0.0f);
        d.directionSpread[i] = Vector3(1.0f, 1.0f, 1.0f);
        d.color[i] = Vector4(1.0f, 1.0f, 1.0f, 1.0f);
        d.size[i] = 1.0f;
        d.speedCentre[i] = 1.0f;
        d.speedSpread[i] = 0.0f;
    }
    capacity_ = 100;
    emitterShape = kPoint;
    box_.SetMinMax(Vector3(-0.5f, -0.5f, -0.5f), Vector3(0.5f, 0.5f, 0.5f));
}

// A file that cannot be used is logged here and reaches the caller as an
// Error, so that loaders fall back to the built-in system.
std::shared_ptr<const ShaderDescriptor> ParticleSystem::ReadFile(const std::string& path)
{
    try {
        const std::unique_ptr<FileBinary> file = files_->OpenFileBinary(MakeDataPath(path), FileAccess::kRead, FileLoading::kWhole);
        const std::string formatError = "Incorrect " + Quoted(path) + " file format";
        const VersionedHeader header = VersionedHeader::Read(*file);
        header.Require(kFormat, file->GetSize(), formatError,
                       "Incorrect " + Quoted(path) + " format version, current is " + std::to_string(kFileVersion));
        const u32 version = header.GetVersion();
        if (header.GetTotalSize() != (version == kFileVersion ? kFileSize : kOldFileSize))
            throw FileError(formatError);
        ReadBody(*file, path, version);
        file->Close();
    } catch (const FileError& error) {
        if (messages_ != nullptr)
            messages_->LogError(error.GetText());
        throw Error(error.GetText());
    }
    std::string shaderPath = path;
    SetFileExtension(shaderPath, "srf");
    return sprites_->GetServices()->ReadShaderDescriptor(shaderPath);
}

void ParticleSystem::ReadBody(FileBinary& file, const std::string& path, u32 version)
{
    Description& d = description_;
    capacity_ = file.ReadUInt();
    d.duration = file.ReadFloat();
    d.gravityOn = ReadFlag(file);
    d.gravity = file.ReadFloat();
    d.floorOn = ReadFlag(file);
    d.floorHeight = file.ReadFloat();
    d.bounceFactor = file.ReadFloat();
    d.stopKills = ReadFlag(file);
    d.stopThreshold = file.ReadFloat();
    d.interpolatedEmission = ReadFlag(file);
    ReadKeys(file, d.emission);
    ReadKeys(file, d.lifetimeCentre);
    ReadKeys(file, d.lifetimeSpread);
    ReadKeys(file, d.directionCentre);
    ReadKeys(file, d.directionSpread);
    ReadKeys(file, d.color);
    ReadKeys(file, d.size);
    ReadKeys(file, d.speedCentre);
    if (version == kFileVersion)
        ReadKeys(file, d.speedSpread);
    else
        std::fill(std::begin(d.speedSpread), std::end(d.speedSpread), 0.0f);
    emitterShape = file.ReadUInt();
    const Vector3 boxMin = file.ReadVector3();
    box_.SetMinMax(boxMin, file.ReadVector3());

    // A cycle shorter than a millisecond is no effect anyone made, and one
    // too short to change the emission time would stall the frame; the
    // capacity sizes the sprite group's buffers: both come from the file.
    if (!(d.duration >= kMinDuration) || capacity_ > kMaxCapacity)
        throw FileError("Incorrect " + Quoted(path) + " file format");
}

void ParticleSystem::Build(const ShaderDescriptor* descriptor, Camera* camera)
{
    ownGroup_.reset(sprites_->NewSpriteGroup(capacity_, descriptor, camera));
    group_ = ownGroup_.get();
    MakeParticles();
}

void ParticleSystem::MakeParticles()
{
    Particle idle{};
    idle.free = 1;
    particles_.assign(capacity_, idle);
    freeSlots_.clear();
    for (u32 slot = capacity_; slot > 0; --slot)
        freeSlots_.push_back(slot - 1);
}

void ParticleSystem::Update()
{
    if (!IsVisible())
        return;
    const float dt = timers_->GetFrameTime();
    if (emitting)
        AdvanceCycle(dt);
    if (emitting)
        Emit(dt);

    liveCount = 0;
    for (u32 slot = 0; slot < capacity_; ++slot) {
        Particle& particle = particles_[slot];
        if (particle.free)
            continue;
        particle.age += dt;
        if (particle.lifetime <= particle.age) {
            Retire(particle, slot);
            continue;
        }
        Move(particle, dt);
        ++liveCount;
    }
}

void ParticleSystem::AdvanceCycle(float dt)
{
    const float duration = description_.duration;
    emissionTime += dt;
    if (looping) {
        // Whole cycles at once, however long the frame was.
        if (duration <= emissionTime)
            emissionTime = std::fmod(emissionTime, duration);
    } else if (duration <= emissionTime) {
        emissionTime = 0.0f;
        lastEmissionKey_ = -1;
        emitting = false;
    }
}

void ParticleSystem::Emit(float dt)
{
    const Description& d = description_;
    const KeyBlend at = BlendAt(emissionTime, d.duration);
    float lifetimeCentre = d.lifetimeCentre[at.k];
    float lifetimeSpread = d.lifetimeSpread[at.k];
    if (d.interpolatedEmission) {
        accumulator_ += Blend(d.emission, at) * dt;
        lifetimeCentre = Blend(d.lifetimeCentre, at);
        lifetimeSpread = Blend(d.lifetimeSpread, at);
    } else if (static_cast<i32>(at.k) != lastEmissionKey_) {
        accumulator_ += d.emission[at.k];
    }

    // What does not fit into the free slots is dropped with the rest.
    const float owed = std::trunc(accumulator_);
    u32 count = 0;
    if (owed > 0.0f) {
        accumulator_ -= owed;
        count = owed < static_cast<float>(capacity_) ? static_cast<u32>(owed) : capacity_;
    }
    for (u32 i = 0; i < count && !freeSlots_.empty(); ++i) {
        const u32 slot = freeSlots_.front();
        freeSlots_.pop_front();
        EmitOne(slot, lifetimeCentre, lifetimeSpread);
    }
    lastEmissionKey_ = static_cast<i32>(at.k);
}

void ParticleSystem::EmitOne(u32 slot, float lifetimeCentre, float lifetimeSpread)
{
    const Description& d = description_;
    Particle& particle = particles_[slot];
    particle.sprite = group_->AddSprite(StartPosition(), d.size[0], d.color[0]);
    particle.free = 0;
    particle.lifetime = RandomSpread(lifetimeCentre, lifetimeSpread);
    particle.age = 0.0f;
    particle.direction = Vector3(0.0f, 0.0f, 0.0f);
    for (u32 i = 0; i < kKeyCount; ++i) {
        if (i > 0 && d.directionCentre[i].Length() < kNoDirection && d.directionSpread[i].Length() < kNoDirection)
            particle.directionKeys[i] = particle.directionKeys[i - 1];
        else
            particle.directionKeys[i] = RandomVector(d.directionCentre[i], d.directionSpread[i]);
        particle.directionKeys[i].Normalize();
    }
    for (u32 i = 0; i < kKeyCount; ++i)
        particle.speedKeys[i] = RandomSpread(d.speedCentre[i], d.speedSpread[i]);
    particle.fallSpeed = 0.0f;
    particle.speedFactor = 1.0f;
}

Vector3 ParticleSystem::StartPosition() const
{
    if (emitterShape == kBox) {
        const Vector3& low = box_.GetLocalMin();
        const Vector3& high = box_.GetLocalMax();
        const float x = RandomFloat(low.x, high.x);
        const float y = RandomFloat(low.y, high.y);
        const float z = RandomFloat(low.z, high.z);
        return position_ + Vector3(x, y, z);
    }
    if (emitterShape != kPointList)
        return position_;
    if (points.empty())
        return Vector3(0.0f, 0.0f, 0.0f);
    const auto count = static_cast<i32>(points.size());
    if (segments && count >= 2) {
        const i32 i = RandomInt(0, count - 2);
        return points[i] + (points[i + 1] - points[i]) * RandomUnit();
    }
    if (segments)
        return points[0];
    return points[RandomInt(0, count - 1)];
}

void ParticleSystem::Move(Particle& particle, float dt)
{
    const Description& d = description_;
    SpriteGroup::Sprite* sprite = group_->GetSprite(particle.sprite);
    // The group is as large as the system, so only a group that someone else
    // filled leaves a particle without a sprite; it then just runs out its life.
    if (sprite == nullptr)
        return;
    const KeyBlend at = BlendAt(particle.age, particle.lifetime);
    const float speed = Blend(particle.speedKeys, at) * particle.speedFactor;
    particle.direction = Blend(particle.directionKeys, at);
    particle.direction.Normalize();
    Vector3 move = particle.direction * speed * kSpeedScale * dt;
    if (d.gravityOn) {
        particle.fallSpeed += d.gravity * dt;
        move.z -= particle.fallSpeed * kSpeedScale * dt;
    }
    sprite->position += move;

    if (d.floorOn && sprite->position.z < d.floorHeight) {
        sprite->position.z = d.floorHeight + 0.001f;
        particle.fallSpeed = 0.0f;
        particle.speedFactor *= d.bounceFactor;
        if (particle.speedFactor < d.stopThreshold) {
            particle.speedFactor = 0.0f;
            if (d.stopKills)
                particle.age = particle.lifetime + 0.0001f;
        }
        Vector3 bounce(move.x, move.y, std::fabs(move.z));
        bounce.Normalize();
        particle.direction = bounce;
        std::fill(std::begin(particle.directionKeys), std::end(particle.directionKeys), bounce);
    }

    sprite->color = Blend(d.color, at);
    sprite->size = Blend(d.size, at);
}

void ParticleSystem::Retire(Particle& particle, u32 slot)
{
    group_->RemoveSprite(particle.sprite);
    particle.free = 1;
    freeSlots_.push_back(slot);
}

void ParticleSystem::Clear()
{
    for (u32 slot = 0; slot < capacity_; ++slot) {
        if (!particles_[slot].free)
            Retire(particles_[slot], slot);
    }
    liveCount = 0;
}

void ParticleSystem::Stop()
{
    emitting = false;
    emissionTime = 0.0f;
    accumulator_ = 0.0f;
    lastEmissionKey_ = -1;
    SetVisible(false);
}

void ParticleSystem::SetVisible(bool visible) { group_->SetVisible(visible); }

bool ParticleSystem::IsVisible() const { return group_->IsVisible(); }

void ParticleSystem::SetColor(const Vector4& color) { group_->color = color; }

void ParticleSystem::SetShader(const ShaderDescriptor* descriptor) { group_->SetShader(descriptor); }

ShaderUser* ParticleSystem::GetShaderUser() const { return group_->GetShaderUser(); }

Model* ParticleSystem::GetModel() const { return group_->GetModel(); }

} // namespace Halvard
