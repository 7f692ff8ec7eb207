// The editor's cell under the mouse, outlined in front of the blocks for the frame it was asked in.
#pragma once

namespace Graphics {

class LevelRenderer;
struct LevelLighting;

class CellOutline {
public:
    // The cell (x, y) of the level is outlined in the next frame drawn.
    void Set(int x, int y);
    // Draws the outline asked for since the last frame, if any, and forgets it: the editor asks
    // again each frame the mouse is over the level. Nothing is drawn on a null device.
    void Draw(LevelRenderer& level, const LevelLighting& lighting, bool nullDevice);

private:
    bool asked = false;
    int cellX = 0;
    int cellY = 0;
};

}  // namespace Graphics
