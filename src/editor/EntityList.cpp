// The entity list's buttons and the menus they open.
#include "editor/EntityList.h"

#include "editor/EntityMenu.h"
#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"

namespace LevelEditor {
namespace {

// Names come from level files: a quote or a line break would end the definition early.
std::string Shown(std::string name) {
    for (char& c : name) {
        if (c == '\'' || c == '\n' || c == '\r') {
            c = '_';
        }
    }
    return name;
}

}  // namespace

EntityList::~EntityList() {
    if (bar != nullptr) {
        TwDeleteBar(bar);
    }
}

void EntityList::Show(bool show) {
    shown = show;
    if (bar == nullptr) {
        Rebuild();
    }
    TwSetParam(bar, nullptr, "visible", TW_PARAM_CSTRING, 1, shown ? "true" : "false");
}

std::vector<std::string> EntityList::EntityNames() {
    struct Namer : ZELM::IVisitor<ZELM::EntityHandle> {
        void Visit(ZELM::EntityHandle& handle) override {
            const ZELM::Entity* entity = handle.GetIfAlive();
            if (entity != nullptr && !entity->IsDying()) {
                found.push_back(entity->GetName());
            }
        }
        std::vector<std::string> found;
    } namer;
    if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
        entities->VisitEntities(namer);
    }
    return namer.found;
}

void EntityList::Refresh() {
    if (bar == nullptr || EntityNames() != names) {
        Rebuild();
    }
}

void EntityList::Rebuild() {
    // Where the designer put the bar and how they sized it outlive its buttons.
    int position[2] = {580, 30};
    int size[2] = {210, 260};
    if (bar != nullptr) {
        TwGetParam(bar, nullptr, "position", TW_PARAM_INT32, 2, position);
        TwGetParam(bar, nullptr, "size", TW_PARAM_INT32, 2, size);
        TwDeleteBar(bar);
    }
    names = EntityNames();
    bar = TwNewBar(kBarName);
    TwDefine((std::string(" Entities label='Entities' resizable=true fontresizable=false alpha=220 ") +
              " position='" + std::to_string(position[0]) + " " + std::to_string(position[1]) + "' size='" +
              std::to_string(size[0]) + " " + std::to_string(size[1]) +
              "' visible=" + (shown ? "true" : "false"))
                 .c_str());
    records.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        records.push_back(std::make_unique<Record>(Record{names[i]}));
        TwAddButton(bar, ("Open" + std::to_string(i)).c_str(), &EntityList::Open, records.back().get(),
                    (" label='" + Shown(names[i]) + "' ").c_str());
    }
}

void EntityList::Open(void* data) {
    const std::string& name = static_cast<const Record*>(data)->name;
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    if (EntityMenu* menu = EntityMenu::Attach(entities->Get(name))) {
        menu->MenuVisible(true);
    }
}

}  // namespace LevelEditor
