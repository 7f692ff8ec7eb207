// Writes one JSON object per frame (frame, dt, level, the local player's motion, the on-screen
// texts) for tests and tools.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace Logic {
class LogicService;
}

namespace Fallward {

class TraceWriter {
public:
    // False when the file cannot be opened.
    bool Open(const std::string& path);
    // The line of the frame that just ended: the player's fields only while the game has a player,
    // and the texts on screen in the order they are drawn.
    void WriteFrame(int frame, float dt, const std::string& level, const Logic::LogicService& logic,
                    const std::vector<std::string>& texts = {});

    // A string as a JSON string literal, quotes included.
    static std::string Quote(const std::string& text);

private:
    struct Closer {
        void operator()(FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<FILE, Closer> file;
};

}  // namespace Fallward
