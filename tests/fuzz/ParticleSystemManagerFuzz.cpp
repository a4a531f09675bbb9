// A particle-system file, as the resource lists load it: a template through
// the particle manager, which puts the built-in system in for a file it
// refuses, and the copy an object of the game plays. It stays within its
// capacity frame after frame.
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <memory>

TAMRISK_FUZZ_TARGET(ParticleSystemManager)
{
    using Fuzzing::Check;
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\fuzz\\particles.psf", bytes);
    Halvard::ParticleSystemManager& systems = *bed->GetParticleSystemManager();
    const std::unique_ptr<Halvard::ParticleSystem> kept(
        systems.NewParticleSystemFromFile("fuzz\\particles.psf", nullptr));
    Check(kept != nullptr, "no particle system, not even the built-in one");
    Halvard::ParticleSystem* system = systems.CopyParticleSystem(*kept);
    Fuzzing::CheckRefusalsName(*bed->GetMessageManager(), "particles.psf");
    for (const double seconds : {0.03, 0.03, 100.0, 1e4}) {
        bed.Fake().Step(seconds);
        systems.Update();
        Check(system->liveCount <= Halvard::ParticleSystem::kMaxCapacity, "more particles than a system may hold");
    }
    systems.DestroyParticleSystem(system);
}
