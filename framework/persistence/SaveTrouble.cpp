#include "framework/persistence/SaveTrouble.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "framework/persistence/UserFolderLock.h"

#include <algorithm>

namespace GameFramework {

SaveTrouble::SaveTrouble(const Halvard::Config* config, Halvard::MessageManager* messages)
    : config_(config), messages_(messages)
{
    AskConfig();
}

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

bool SaveTrouble::MakeSave(const std::string& path, Save save)
{
    if (making_)
        return !save().has_value();
    if (!MayWrite(path))
        return false;
    Keep(path, std::move(save));
    making_ = true;
    MakeQueued(path);
    making_ = false;
    return !IsQueued(path);
}

void SaveTrouble::MakeFailedSaves()
{
    if (making_ || queued_.empty() || !MayWrite(std::string()))
        return;
    making_ = true;
    MakeQueued(std::string());
    making_ = false;
}

void SaveTrouble::Forget(const std::string& path)
{
    std::erase_if(queued_, [&path](const Failed& failed) { return failed.path == path; });
}

// Once another copy holds the lock, nothing of this one is saved again.
bool SaveTrouble::MayWrite(const std::string& path)
{
    if (lock_ == nullptr || lock_->MaySave())
        return true;
    Report(Kind::kSavedElsewhere, lock_->GetUserFolder());
    queued_.clear();
    if (messages_ != nullptr && !path.empty())
        messages_->LogError("Failed to save \"" + path + "\" file: another copy keeps the saves of its folder");
    return false;
}

// A file that failed before keeps its place, and its newest save.
void SaveTrouble::Keep(const std::string& path, Save save)
{
    const auto found =
        std::find_if(queued_.begin(), queued_.end(), [&path](const Failed& failed) { return failed.path == path; });
    if (found != queued_.end())
        found->save = std::move(save);
    else
        queued_.push_back(Failed{path, std::move(save)});
}

// A save that a cause beyond its own file stopped (a full disk, a closed or
// missing folder) would stop the ones after it too; one of them that got
// through would run ahead of what it follows from: the player's file would
// let go of a game whose score the table has not kept.
void SaveTrouble::MakeQueued(const std::string& requested)
{
    std::string stoppedAt;
    for (std::size_t i = 0; i < queued_.size();) {
        if (!stoppedAt.empty()) {
            if (queued_[i].path == requested && messages_ != nullptr)
                messages_->LogError("Failed to save \"" + requested + "\" file: it waits for \"" + stoppedAt +
                                    "\" file, which could not be saved before it");
            ++i;
            continue;
        }
        const std::optional<Halvard::FileFault> fault = queued_[i].save();
        if (!fault) {
            queued_.erase(queued_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        const Kind kind = KindOfSave(*fault);
        Report(kind, queued_[i].path);
        if (kind != Kind::kNotSaved)
            stoppedAt = queued_[i].path;
        ++i;
    }
}

bool SaveTrouble::IsQueued(const std::string& path) const
{
    return std::any_of(queued_.begin(), queued_.end(), [&path](const Failed& failed) { return failed.path == path; });
}

// The engine's configuration reads its ini file before this object exists
// and may save it before it becomes the keeper: that trouble is taken in
// at once and whenever the player could be told.
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
