// The editor's undo and redo: the steps made so far, the newest last, and those undone.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "editor/EditStep.h"
#include "editor/LevelSnapshot.h"
#include "editor/TileStroke.h"

namespace LevelEditor {

class EditHistory {
public:
    static constexpr std::size_t kDefaultLimit = 200;

    explicit EditHistory(std::size_t limit = kDefaultLimit) : limit(limit) {}

    // Keeps a finished step; the steps undone before it can no longer be redone, and past the
    // limit the oldest is forgotten.
    void Record(std::unique_ptr<EditStep> step);

    // An entity edit about to happen: the level as it stands is kept as its "before". The edit
    // may take effect later in the frame (queued calls, entities dying at its end), so the step
    // is finished by FrameStarted once a frame has passed with no more of it. Edits of the same
    // description in following frames (a dragged number) stay one step; another description
    // finishes the one under way first.
    void BeginEdit(const std::string& description,
                   LevelSnapshot::Tiles tiles = LevelSnapshot::Tiles::Without);
    // Called at the start of each editor frame.
    void FrameStarted();
    // Takes the level's "after" now and records the step unless the level did not change.
    void FinishEdit();

    // Paints a cell as part of the stroke under way (one is begun when none is).
    void Paint(unsigned x, unsigned y, unsigned char id);
    // The mouse was released: the stroke becomes a step when it changed anything.
    void EndStroke();

    // Undoes or redoes one step and says which ("undo: paint 14 tiles"); nothing to do: empty.
    // An edit or stroke under way is finished first.
    std::string Undo();
    std::string Redo();

    // Forgets every step and anything under way: another level has started.
    void Clear();

    std::size_t UndoCount() const { return done.size(); }
    std::size_t RedoCount() const { return undone.size(); }

private:
    struct PendingEdit {
        std::string description;
        LevelSnapshot::Tiles tiles;
        LevelSnapshot before;
        bool touched;
    };

    void FinishAll();

    std::size_t limit;
    std::deque<std::unique_ptr<EditStep>> done;
    std::deque<std::unique_ptr<EditStep>> undone;
    std::optional<PendingEdit> pending;
    std::unique_ptr<TileStroke> stroke;
};

}  // namespace LevelEditor
