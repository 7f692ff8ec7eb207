// Starting and ending a play-test.
#include "editor/PlayTest.h"

namespace LevelEditor {

void PlayTest::Start(int editorMode) {
    mode = editorMode;
    edited = LevelSnapshot::Take(LevelSnapshot::Tiles::With);
    edited->Restore();
    engine.CallAll("LevelStart");
}

void PlayTest::Finish() {
    if (!edited) {
        return;
    }
    const LevelSnapshot kept = std::move(*edited);
    edited.reset();
    kept.Restore();
}

}  // namespace LevelEditor
