// The player's own levels in play: their records, the level the "[my levels]" list shows in focus,
// the finish that goes back to that list, and the level check and import the program hands in
// (they need the whole game's component types and the file formats, which the gameplay does not).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "logic/MyLevelRecords.h"

namespace Logic {

class MyLevelsFlow {
public:
    // What stops the level being played, "" when nothing does.
    using Check = std::function<std::string(const std::string& level)>;
    // Reads a shared level file and installs it: "" and the installed level's name, or the reason
    // in the player's words.
    using Import = std::function<std::string(const std::string& file, std::string& level)>;
    // Writes the level as one file to share, with the author's name: "" or the reason.
    using Export = std::function<std::string(const std::string& level, const std::string& file, const std::string& author)>;

    MyLevelRecords& GetRecords() { return records; }
    void SetCheck(Check check) { this->check = std::move(check); }
    void SetImport(Import import) { this->import = std::move(import); }
    void SetExport(Export exporter) { this->exporter = std::move(exporter); }

    std::string CheckLevel(const std::string& level) const { return check ? check(level) : std::string(); }
    // On success the imported level is the list's focus.
    std::string ImportFile(const std::string& file);
    std::string ExportFile(const std::string& level, const std::string& file) const;

    const std::string& GetFocus() const { return focus; }
    void SetFocus(const std::string& level) { focus = level; }

    // A player level starts: it counts as played now.
    void LevelStarted(const std::string& level, std::int64_t now);
    // The goal reached: the time is kept when it is the level's best (never for a play-test from
    // the editor). The words the finish shows, the first line with the time.
    std::string Finish(const std::string& level, float seconds, bool countsForRecords, bool& newBest);
    bool IsFinished() const { return finished; }
    void Leave() { finished = false; }

private:
    MyLevelRecords records;
    Check check;
    Import import;
    Export exporter;
    std::string focus;
    bool finished = false;
};

}  // namespace Logic
