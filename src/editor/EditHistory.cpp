// The steps, the edit under way and the stroke under way.
#include "editor/EditHistory.h"

#include "editor/SnapshotStep.h"

namespace LevelEditor {

void EditHistory::Record(std::unique_ptr<EditStep> step) {
    undone.clear();
    done.push_back(std::move(step));
    while (done.size() > limit) {
        done.pop_front();
    }
}

void EditHistory::BeginEdit(const std::string& description, LevelSnapshot::Tiles tiles) {
    if (pending && pending->description != description) {
        FinishEdit();
    }
    if (!pending) {
        pending = PendingEdit{description, tiles, LevelSnapshot::Take(tiles), true};
    }
    pending->touched = true;
}

void EditHistory::FrameStarted() {
    if (pending && !pending->touched) {
        FinishEdit();
    } else if (pending) {
        pending->touched = false;
    }
}

void EditHistory::FinishEdit() {
    if (!pending) {
        return;
    }
    PendingEdit edit = std::move(*pending);
    pending.reset();
    LevelSnapshot after = LevelSnapshot::Take(edit.tiles);
    if (!after.SameLevelAs(edit.before)) {
        Record(std::make_unique<SnapshotStep>(edit.description, std::move(edit.before), std::move(after)));
    }
}

void EditHistory::Paint(unsigned x, unsigned y, unsigned char id) {
    if (!stroke) {
        FinishEdit();
        stroke = std::make_unique<TileStroke>();
    }
    stroke->Paint(x, y, id);
}

void EditHistory::EndStroke() {
    if (stroke && !stroke->IsEmpty()) {
        Record(std::move(stroke));
    }
    stroke.reset();
}

void EditHistory::FinishAll() {
    EndStroke();
    FinishEdit();
}

void EditHistory::Clear() {
    done.clear();
    undone.clear();
    pending.reset();
    stroke.reset();
}

std::string EditHistory::Undo() {
    FinishAll();
    if (done.empty()) {
        return std::string();
    }
    std::unique_ptr<EditStep> step = std::move(done.back());
    done.pop_back();
    step->Undo();
    const std::string said = "undo: " + step->Describe();
    undone.push_back(std::move(step));
    return said;
}

std::string EditHistory::Redo() {
    FinishAll();
    if (undone.empty()) {
        return std::string();
    }
    std::unique_ptr<EditStep> step = std::move(undone.back());
    undone.pop_back();
    step->Redo();
    const std::string said = "redo: " + step->Describe();
    done.push_back(std::move(step));
    return said;
}

}  // namespace LevelEditor
