#pragma once

#include "engine/core/Types.h"
#include "framework/persistence/FileServices.h"
#include "framework/persistence/SaveFile.h"

#include <memory>
#include <string>
#include <vector>

namespace GameFramework {

// The best final scores, one list per category (the game mode), kept in
// "high_scores.hsf" in the given folder and written after every change. All
// categories share one vector in table order: higher scores first, equal
// scores oldest first. No error leaves the table: an unreadable file is set
// aside as "high_scores.hsf.bad" (SaveFile::SetAside) and replaced by an
// empty table, a failed save is logged and the table in memory stays. Main
// thread.
class HighScoresTable {
public:
    struct Entry {
        std::wstring name;
        Halvard::u32 category = 0;
        Halvard::u32 score = 0;
        // The table's counter when the entry was added: orders equal scores.
        Halvard::u32 sequenceNumber = 0;
    };

    static constexpr const char* kFileName = "high_scores.hsf";

    // Reads the file at once.
    HighScoresTable(FileServices services, Halvard::u32 maximumPerCategory, const std::string& folder);
    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;
    virtual ~HighScoresTable();

    // Enters a score, drops what its category holds beyond the maximum and
    // saves. The new entry, or null when it did not stay. Entries stay where
    // they are in memory until they are dropped or the table is cleared.
    const Entry* AddScore(const std::wstring& name, Halvard::u32 category, Halvard::u32 score);
    // The n-th entry of the category in table order, or null.
    const Entry* GetEntry(Halvard::u32 category, Halvard::u32 n) const;
    Halvard::u32 GetEntryCount(Halvard::u32 category) const;
    // Counter to 0, every entry gone, the empty table saved.
    void Clear();
    void Save();
    // Appends without sorting, trimming or saving.
    Entry* AddEntry(const std::wstring& name, Halvard::u32 category, Halvard::u32 score, Halvard::u32 sequenceNumber);

    Halvard::u32 GetNextSequenceNumber() const { return nextSequenceNumber_; }
    std::string GetPath() const;

private:
    void Load();
    void ReadBody(Halvard::FileBinary& file);
    void RestoreRules();
    void RestoreCounter();
    void RenumberWhenFull();
    void WriteBody(Halvard::FileBinary& file) const;
    void SortEntries();
    bool DropBeyondMaximum(const Entry* added);

    SaveFile saveFile_;
    Halvard::u32 maximumPerCategory_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::string folder_;
    Halvard::u32 nextSequenceNumber_ = 0;
};

} // namespace GameFramework
