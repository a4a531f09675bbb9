#include "framework/persistence/SaveTrouble.h"

#include "engine/core/Config.h"

#include <algorithm>

namespace GameFramework {

SaveTrouble::SaveTrouble(const Halvard::Config* config) : config_(config) {}

void SaveTrouble::Report(Kind kind, const std::string& path)
{
    const bool known = std::any_of(reported_.begin(), reported_.end(),
                                   [kind](const Trouble& trouble) { return trouble.kind == kind; });
    if (!known)
        reported_.push_back(Trouble{kind, path});
}

SaveTrouble::Kind SaveTrouble::KindOfSave(Halvard::FileFault fault)
{
    switch (fault) {
    case Halvard::FileFault::kNoRoom:
        return Kind::kNoRoom;
    case Halvard::FileFault::kNoRight:
        return Kind::kFolderClosed;
    case Halvard::FileFault::kNoFolder:
        return Kind::kNoFolder;
    default:
        return Kind::kNotSaved;
    }
}

// The engine's configuration knows nothing of this object: its ini file's
// trouble is taken in whenever the player could be told.
void SaveTrouble::AskConfig()
{
    if (config_ == nullptr)
        return;
    if (config_->IsIniKept())
        Report(Kind::kNotRead, config_->GetIniPath());
    if (const std::optional<Halvard::FileFault> fault = config_->GetSaveFault())
        Report(KindOfSave(*fault), config_->GetIniPath());
}

bool SaveTrouble::HasUntold()
{
    AskConfig();
    return told_ < reported_.size();
}

SaveTrouble::Trouble SaveTrouble::TakeUntold() { return reported_[told_++]; }

} // namespace GameFramework
