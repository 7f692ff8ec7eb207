// Writes one JSON object per display frame (frame, the ticks run so far, dt, level, the local player's motion, the on-screen
// texts, the network, the best run's ghost) for tests and tools.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace Logic {
class LogicService;
}

namespace Fallward {

// What the network manager is doing, as the trace shows it.
struct NetTrace {
    bool allow = false;
    bool hosting = false;
    bool connected = false;
    unsigned association = 1;
    unsigned sent = 0;
    unsigned received = 0;
    bool hasRemote = false;  // the level has a remote player at (remoteX, remoteY)
    float remoteX = 0.0f;
    float remoteY = 0.0f;
};

// What the level editor shows, as the trace shows it.
struct EditorTrace {
    std::string mode;  // "play", "editor" or "tile"
    unsigned tileId = 0;
    std::string tileName;
    std::vector<std::string> open;  // entities whose menus are open
    std::size_t undo = 0;
    std::size_t redo = 0;
};

class TraceWriter {
public:
    // False when the file cannot be opened.
    bool Open(const std::string& path);
    // The line of the frame that just ended: the player's fields only while the game has a player,
    // the texts on screen in the order they are drawn, the network's state when given, the
    // ghost's place while one is drawn, and the editor's state when given.
    void WriteFrame(int frame, int tick, float dt, const std::string& level, const Logic::LogicService& logic,
                    const std::vector<std::string>& texts = {}, const NetTrace* net = nullptr,
                    const EditorTrace* editor = nullptr);

    // A string as a JSON string literal, quotes included.
    static std::string Quote(const std::string& text);

private:
    void WriteEditor(const EditorTrace& editor);

    struct Closer {
        void operator()(FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<FILE, Closer> file;
};

}  // namespace Fallward
