// Starting and ending a play-test.
#include "editor/PlayTest.h"

namespace LevelEditor {

void PlayTest::Start(int editorMode) {
    mode = editorMode;
    edited = LevelSnapshot::Take(LevelSnapshot::Tiles::With);
    // Each way the level is left as a level change leaves it, so what one play did to the frame
    // (the win's brightening, the camera) does not carry over.
    engine.CallAll("LevelExit");
    edited->Restore();
    engine.CallAll("LevelStart");
}

void PlayTest::Finish() {
    if (!edited) {
        return;
    }
    const LevelSnapshot kept = std::move(*edited);
    edited.reset();
    engine.CallAll("LevelExit");
    kept.Restore();
}

}  // namespace LevelEditor
