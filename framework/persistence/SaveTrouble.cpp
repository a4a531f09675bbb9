#include "framework/persistence/SaveTrouble.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/UserFolderLock.h"

#include <algorithm>

namespace GameFramework {

namespace {

bool IsScoreTable(const std::string& path) { return Halvard::GetFileName(path) == HighScoresTable::kFileName; }

bool IsPlayerFile(const std::string& path)
{
    const std::string extension = ProfileBase::kFileExtension;
    return path.size() > extension.size() &&
           path.compare(path.size() - extension.size(), extension.size(), extension) == 0;
}

} // namespace

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
    if (!MayWrite()) {
        if (messages_ != nullptr)
            messages_->LogError("Failed to save \"" + path +
                                "\" file: another copy of the game may have saved in its folder since this one started");
        return false;
    }
    Keep(path, std::move(save));
    MakeQueued(Logging::kNewLines);
    return !IsQueued(path);
}

void SaveTrouble::MakeFailedSaves()
{
    if (queued_.empty() || !MayWrite())
        return;
    MakeQueued(Logging::kEveryLine);
}

void SaveTrouble::Forget(const std::string& path)
{
    std::erase_if(queued_, [&path](const Failed& failed) { return failed.path == path; });
}

// Once another copy may have saved, nothing of this one is saved again.
bool SaveTrouble::MayWrite()
{
    if (lock_ == nullptr || lock_->MaySave())
        return true;
    Report(Kind::kSavedElsewhere, lock_->GetUserFolder());
    queued_.clear();
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
        queued_.push_back(Failed{path, std::move(save), std::string()});
}

// A player's file saved while the table's save has not been made would let
// go of a game whose score the table has not kept. Nothing else waits: one
// file's own trouble holds back no other.
void SaveTrouble::MakeQueued(Logging logging)
{
    std::stable_partition(queued_.begin(), queued_.end(),
                          [](const Failed& failed) { return IsScoreTable(failed.path); });
    for (std::size_t i = 0; i < queued_.size();) {
        Failed& failed = queued_[i];
        // A table still queued has failed in this pass: tables come first.
        const Failed& first = queued_.front();
        if (IsPlayerFile(failed.path) && IsScoreTable(first.path)) {
            Log(failed,
                Halvard::FileError("Failed to save \"" + failed.path + "\" file: it waits for \"" + first.path +
                                   "\" file, which could not be saved before it"),
                logging);
            ++i;
            continue;
        }
        const std::optional<Halvard::FileError> error = failed.save();
        if (!error) {
            queued_.erase(queued_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        Report(KindOfSave(error->GetFault()), error->GetFaultFile().empty() ? failed.path : error->GetFaultFile());
        Log(failed, *error, logging);
        ++i;
    }
}

// A file that can never be saved would repeat its line at every save of any
// file.
void SaveTrouble::Log(Failed& failed, const Halvard::FileError& error, Logging logging)
{
    const std::string line = error.GetTextWithReason();
    if (messages_ != nullptr && (logging == Logging::kEveryLine || line != failed.logged))
        messages_->LogError(line);
    failed.logged = line;
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
