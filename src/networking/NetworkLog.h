// "NetworkLog.txt": what discovery received, capped in size and rotated to "NetworkLog.old.txt".
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace Networking {

class NetworkLog {
public:
    static constexpr std::size_t kDefaultLimit = 1u << 20;

    // An empty path keeps no log.
    explicit NetworkLog(std::string path = std::string(), std::size_t limit = kDefaultLimit);

    // NetworkLog.txt in the game's state directory ($XDG_STATE_HOME/fallward, else
    // ~/.local/state/fallward), which is created when missing; "" without a home.
    static std::string DefaultPath();
    // The rotated file beside it: "NetworkLog.old.txt".
    static std::string OldPath(const std::string& path);
    // Datagram bytes as one line of text: control and non-ASCII bytes become \xNN, so nothing a
    // sender writes can forge a line; trailing line feeds are dropped.
    static std::string Printable(const std::string& bytes);

    // Appends the text; when the file would pass the limit it is rotated first. A file that cannot
    // be written is ignored.
    void Write(const std::string& text);
    void Flush();
    const std::string& GetPath() const { return path; }

private:
    struct Closer {
        void operator()(FILE* file) const { std::fclose(file); }
    };

    std::string path;
    std::size_t limit;
    std::size_t size = 0;
    bool failed = false;
    std::unique_ptr<FILE, Closer> file;
};

}  // namespace Networking
