#pragma once

#include "engine/core/MessageManager.h"
#include "engine/core/Types.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace Testing {

// What a log said, read one way for every test: the entries a log keeps in
// memory, or the lines of an HTML log file on disk. A probe is a snapshot;
// take a new one after the code under test writes more.
class LogProbe {
public:
    using Entry = Halvard::MessageManager::Entry;

    // The entries written so far, with their levels and texts as written.
    explicit LogProbe(const Halvard::MessageManager& log);

    // The file's text split at "<BR>" with every tag removed, empty lines
    // dropped. The file keeps no levels, so the text gives them: a line that
    // begins "Error: " or holds "PROGRAM ABORTING: " is an error (fatal for
    // the latter), one that begins "Warning: " a warning. Throws
    // std::runtime_error when the file cannot be read.
    static LogProbe FromHtmlFile(const std::filesystem::path& file);

    const std::vector<Entry>& Entries() const { return entries_; }
    std::vector<std::string> Texts() const;
    std::vector<std::string> Texts(Halvard::u32 level) const;
    // The texts at the level without the blank lines the log sets warnings
    // and errors apart with: "Error: bad!" as a reader of the file sees it.
    std::vector<std::string> Lines(Halvard::u32 level) const;
    // Every text in order, joined.
    std::string Joined() const;

    // How many entries are exactly the text; whether one holds it.
    std::size_t Count(const std::string& text) const;
    bool Contains(const std::string& part) const;
    std::size_t CountAt(Halvard::u32 level) const;

    // Errors and fatal errors in order, as Lines gives them: the lines a
    // clean run never writes.
    std::vector<std::string> ErrorLines() const;
    bool HasNoErrorLine() const { return ErrorLines().empty(); }

private:
    explicit LogProbe(std::vector<Entry> entries) : entries_(std::move(entries)) {}

    std::vector<Entry> entries_;
};

} // namespace Testing
