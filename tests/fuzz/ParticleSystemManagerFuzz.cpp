// A particle-system file, as the resource lists load it: a template through
// the particle manager, which puts the built-in system in for a file it
// refuses, and the copy an object of the game plays. The copy is played as
// the game plays its effects: a looping cycle, a single burst, and then with
// its looping, emitting and stopping taken frame by frame from the input's
// last bytes, through short frames and frames of hours. It stays within its
// capacity and its cycle frame after frame.
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <cmath>
#include <memory>

namespace {

using Halvard::ParticleSystem;

constexpr double kFrames[] = {0.03, 0.03, 100.0, 0.03, 1e4, 0.03};

void Start(ParticleSystem& system, bool looping)
{
    system.emissionTime = 0.0f;
    system.looping = looping;
    system.emitting = true;
    system.SetVisible(true);
}

void StepFrame(Fuzzing::EngineBed& bed, ParticleSystem& system, double seconds)
{
    using Fuzzing::Check;
    const bool looping = system.looping && system.emitting;
    bed.Fake().Step(seconds);
    bed->GetParticleSystemManager()->Update();
    Check(system.liveCount <= system.GetCapacity() && system.GetCapacity() <= ParticleSystem::kMaxCapacity,
          "more particles than the system may hold");
    if (looping)
        Check(std::isfinite(system.emissionTime) && system.emissionTime >= 0.0f, "a looping cycle ran out of time");
}

// Bit 0 loops, bit 1 emits, bit 2 stops the system and starts it again.
void PlayInputsFlags(Fuzzing::EngineBed& bed, ParticleSystem& system, std::string_view bytes)
{
    for (std::size_t frame = 0; frame < std::size(kFrames) && frame < bytes.size(); ++frame) {
        const auto flags = static_cast<unsigned char>(bytes[bytes.size() - 1 - frame]);
        if ((flags & 4) != 0) {
            system.Stop();
            Start(system, (flags & 1) != 0);
        }
        system.looping = (flags & 1) != 0;
        system.emitting = (flags & 2) != 0;
        StepFrame(bed, system, kFrames[frame]);
    }
}

} // namespace

TAMRISK_FUZZ_TARGET(ParticleSystemManager)
{
    using Fuzzing::Check;
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\fuzz\\particles.psf", bytes);
    Halvard::ParticleSystemManager& systems = *bed->GetParticleSystemManager();
    const std::unique_ptr<ParticleSystem> kept(systems.NewParticleSystemFromFile("fuzz\\particles.psf", nullptr));
    Check(kept != nullptr, "no particle system, not even the built-in one");
    ParticleSystem* system = systems.CopyParticleSystem(*kept);
    Fuzzing::CheckRefusalsName(*bed->GetMessageManager(), "particles.psf");
    for (const bool looping : {true, false}) {
        system->Clear();
        Start(*system, looping);
        for (const double seconds : kFrames)
            StepFrame(bed, *system, seconds);
    }
    PlayInputsFlags(bed, *system, bytes);
    systems.DestroyParticleSystem(system);
}
