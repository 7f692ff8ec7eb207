// The per-frame trace.
#include "app/TraceWriter.h"

#include "engine/Entity.h"
#include "logic/LogicService.h"

namespace Fallward {

bool TraceWriter::Open(const std::string& path) {
    file.reset(std::fopen(path.c_str(), "w"));
    return file != nullptr;
}

std::string TraceWriter::Quote(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

void TraceWriter::WriteFrame(int frame, int tick, float dt, const std::string& level, const Logic::LogicService& logic,
                             const std::vector<std::string>& texts, const NetTrace* net,
                             const EditorTrace* editor) {
    if (!file) {
        return;
    }
    std::fprintf(file.get(), "{\"frame\":%d,\"tick\":%d,\"dt\":%g,\"level\":%s", frame, tick, dt,
                 Quote(level).c_str());
    if (ZELM::Entity* alive = logic.GetPlayer().GetIfAlive()) {
        ZELM::Entity& entity = *alive;
        // Only what the player's components bind: a player without a body has no velocity to show.
        auto value = [&entity](const char* method) {
            return entity.IsBound(method) ? entity.Call<float>(method) : 0.0f;
        };
        // The gravity radius grows only with a power-up, so it shows which ones were taken.
        std::fprintf(file.get(),
                     ",\"player\":{\"name\":%s,\"x\":%g,\"y\":%g,\"vx\":%g,\"vy\":%g,\"gx\":%g,\"gy\":%g,"
                     "\"radius\":%g}",
                     Quote(entity.GetName()).c_str(), value("GetX"), value("GetY"), value("GetXVelocity"),
                     value("GetYVelocity"), value("GetXGravity"), value("GetYGravity"),
                     value("GetGravRadius"));
    }
    if (!texts.empty()) {
        std::string list;
        for (const std::string& text : texts) {
            list += (list.empty() ? "" : ",") + Quote(text);
        }
        std::fprintf(file.get(), ",\"texts\":[%s]", list.c_str());
    }
    if (net != nullptr) {
        auto flag = [](bool value) { return value ? "true" : "false"; };
        std::fprintf(file.get(),
                     ",\"net\":{\"allow\":%s,\"hosting\":%s,\"connected\":%s,\"association\":%u,\"sent\":%u,"
                     "\"received\":%u",
                     flag(net->allow), flag(net->hosting), flag(net->connected), net->association, net->sent,
                     net->received);
        if (net->hasRemote) {
            std::fprintf(file.get(), ",\"remote\":{\"x\":%g,\"y\":%g}", net->remoteX, net->remoteY);
        }
        std::fputs("}", file.get());
    }
    float ghostX = 0.0f;
    float ghostY = 0.0f;
    if (logic.GetGhostPosition(ghostX, ghostY)) {
        std::fprintf(file.get(), ",\"ghost\":{\"x\":%g,\"y\":%g}", ghostX, ghostY);
    }
    if (editor != nullptr) {
        WriteEditor(*editor);
    }
    std::fputs("}\n", file.get());
    std::fflush(file.get());
}

void TraceWriter::WriteEditor(const EditorTrace& editor) {
    std::string open;
    for (const std::string& name : editor.open) {
        open += (open.empty() ? "" : ",") + Quote(name);
    }
    std::fprintf(file.get(),
                 ",\"editor\":{\"mode\":%s,\"tile\":{\"id\":%u,\"name\":%s},\"open\":[%s],\"undo\":%zu,"
                 "\"redo\":%zu}",
                 Quote(editor.mode).c_str(), editor.tileId, Quote(editor.tileName).c_str(), open.c_str(),
                 editor.undo, editor.redo);
}

}  // namespace Fallward
