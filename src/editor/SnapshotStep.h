// An entity change (or a new level) kept as the level before and after it: exact whatever the
// change touched.
#pragma once

#include <string>

#include "editor/EditStep.h"
#include "editor/LevelSnapshot.h"

namespace LevelEditor {

class SnapshotStep : public EditStep {
public:
    SnapshotStep(std::string description, LevelSnapshot before, LevelSnapshot after)
        : description(std::move(description)), before(std::move(before)), after(std::move(after)) {}

    void Undo() override { before.Restore(); }
    void Redo() override { after.Restore(); }
    std::string Describe() const override { return description; }

private:
    std::string description;
    LevelSnapshot before;
    LevelSnapshot after;
};

}  // namespace LevelEditor
