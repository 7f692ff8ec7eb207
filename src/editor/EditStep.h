// One undoable change to the level, as the edit history keeps it.
#pragma once

#include <string>

namespace LevelEditor {

class EditStep {
public:
    virtual ~EditStep() = default;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // What the change was, for the status line: "paint 14 tiles", "rename Box to Crate".
    virtual std::string Describe() const = 0;
};

}  // namespace LevelEditor
