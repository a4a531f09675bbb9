#include "framework/persistence/HighScoresTable.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "framework/persistence/PlayerName.h"

#include <algorithm>
#include <limits>
#include <map>

namespace GameFramework {

using Halvard::u32;

namespace {

const SaveFormat kFormat{"GFHSF", 101};
// The shortest entry on disk: an empty name's count byte and three numbers.
constexpr u32 kSmallestEntrySize = 1 + 3 * 4;
constexpr u32 kLargestNumber = std::numeric_limits<u32>::max();

} // namespace

HighScoresTable::HighScoresTable(FileServices services, u32 maximumPerCategory, const std::string& folder)
    : saveFile_(services, kFormat), maximumPerCategory_(maximumPerCategory), folder_(folder)
{
    Load();
}

HighScoresTable::~HighScoresTable() = default;

std::string HighScoresTable::GetPath() const { return folder_ + "\\" + kFileName; }

void HighScoresTable::Load()
{
    try {
        saveFile_.Read(GetPath(), [this](Halvard::FileBinary& file) { ReadBody(file); });
    } catch (const Halvard::FileError& error) {
        saveFile_.KeepBadFile(GetPath(), error);
        Clear();
    }
}

void HighScoresTable::ReadBody(Halvard::FileBinary& file)
{
    nextSequenceNumber_ = file.ReadUInt();
    const u32 count = file.ReadCount(kSmallestEntrySize);
    for (u32 i = 0; i < count; ++i) {
        std::wstring name;
        file.ReadWideString(name);
        const u32 category = file.ReadUInt();
        const u32 score = file.ReadUInt();
        AddEntry(name, category, score, file.ReadUInt());
    }
    RestoreRules();
}

// A damaged file may break what AddScore keeps: restored here, so that ties
// sort as they were entered and no category grows past its maximum.
void HighScoresTable::RestoreRules()
{
    for (const std::unique_ptr<Entry>& entry : entries_)
        entry->name = FitPlayerName(entry->name);
    SortEntries();
    RestoreCounter();
    DropBeyondMaximum(nullptr);
}

// The counter must stay above every entry's number.
void HighScoresTable::RestoreCounter()
{
    u32 highest = 0;
    for (const std::unique_ptr<Entry>& entry : entries_)
        highest = std::max(highest, entry->sequenceNumber);
    if (!entries_.empty())
        nextSequenceNumber_ = std::max(nextSequenceNumber_, highest == kLargestNumber ? highest : highest + 1);
    RenumberWhenFull();
}

// A counter at the largest number would wrap as it numbers the next entry,
// and newer scores would rank above older equal ones: the entries are then
// numbered anew from 0 in table order, which keeps equal scores in the order
// they were entered, and the counter goes on after them.
void HighScoresTable::RenumberWhenFull()
{
    if (nextSequenceNumber_ != kLargestNumber)
        return;
    u32 number = 0;
    for (const std::unique_ptr<Entry>& entry : entries_)
        entry->sequenceNumber = number++;
    nextSequenceNumber_ = number;
}

void HighScoresTable::WriteBody(Halvard::FileBinary& file) const
{
    file.WriteUInt(nextSequenceNumber_);
    file.WriteUInt(static_cast<u32>(entries_.size()));
    for (const std::unique_ptr<Entry>& entry : entries_) {
        file.WriteWideString(entry->name);
        file.WriteUInt(entry->category);
        file.WriteUInt(entry->score);
        file.WriteUInt(entry->sequenceNumber);
    }
}

const HighScoresTable::Entry* HighScoresTable::AddScore(const std::wstring& name, u32 category, u32 score)
{
    RenumberWhenFull();
    const Entry* added = AddEntry(FitPlayerName(name), category, score, nextSequenceNumber_);
    ++nextSequenceNumber_;
    SortEntries();
    const bool kept = DropBeyondMaximum(added);
    Save();
    return kept ? added : nullptr;
}

void HighScoresTable::SortEntries()
{
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const std::unique_ptr<Entry>& a, const std::unique_ptr<Entry>& b) {
                         if (a->score != b->score)
                             return a->score > b->score;
                         return a->sequenceNumber < b->sequenceNumber;
                     });
}

// Keeps each category's best entries of the sorted table; answers whether
// the added entry is still in it.
bool HighScoresTable::DropBeyondMaximum(const Entry* added)
{
    bool kept = true;
    std::map<u32, u32> seen;
    std::erase_if(entries_, [&](const std::unique_ptr<Entry>& entry) {
        if (++seen[entry->category] <= maximumPerCategory_)
            return false;
        if (entry.get() == added)
            kept = false;
        return true;
    });
    return kept;
}

const HighScoresTable::Entry* HighScoresTable::GetEntry(u32 category, u32 n) const
{
    for (const std::unique_ptr<Entry>& entry : entries_) {
        if (entry->category == category && n-- == 0)
            return entry.get();
    }
    return nullptr;
}

u32 HighScoresTable::GetEntryCount(u32 category) const
{
    const auto inCategory = [category](const std::unique_ptr<Entry>& entry) { return entry->category == category; };
    return static_cast<u32>(std::count_if(entries_.begin(), entries_.end(), inCategory));
}

void HighScoresTable::Clear()
{
    nextSequenceNumber_ = 0;
    entries_.clear();
    Save();
}

void HighScoresTable::Save()
{
    saveFile_.Write(GetPath(), [this](Halvard::FileBinary& file) { WriteBody(file); });
}

HighScoresTable::Entry* HighScoresTable::AddEntry(const std::wstring& name, u32 category, u32 score, u32 sequenceNumber)
{
    entries_.push_back(std::make_unique<Entry>(Entry{name, category, score, sequenceNumber}));
    return entries_.back().get();
}

} // namespace GameFramework
