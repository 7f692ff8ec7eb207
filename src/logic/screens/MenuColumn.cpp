// Making a column of menu buttons.
#include "logic/screens/MenuColumn.h"

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"

namespace Logic {

std::vector<ZELM::EntityHandle> MenuColumn::Create(const std::vector<std::string>& names, float textScale) {
    std::vector<ZELM::EntityHandle> buttons;
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return buttons;
    }
    const int count = static_cast<int>(names.size());
    for (int i = 0; i < count; ++i) {
        // A level that holds a button of that name keeps its own.
        ZELM::EntityHandle own = entities->Get(names[static_cast<std::size_t>(i)]);
        if (own.IsAlive()) {
            buttons.push_back(own);
            continue;
        }
        buttons.push_back(entities->CreateFromArchetype(names[static_cast<std::size_t>(i)], "button"));
        ZELM::Entity* button = buttons.back().Resolve();
        if (button == nullptr) {
            continue;  // the archetype is missing: reported by the entity controller
        }
        button->CallAll("SetX", 0.0f);
        button->CallAll("SetY", ItemY(i, count));
        if (textScale > 0.0f && button->IsBound("SetTextScale")) {
            button->Call("SetTextScale", textScale);
        }
    }
    return buttons;
}

void MenuColumn::SetText(const ZELM::EntityHandle& handle, const std::string& text) {
    ZELM::Entity* button = handle.GetIfAlive();
    if (button != nullptr && button->IsBound("SetText")) {
        button->Call("SetText", text);
    }
}

}  // namespace Logic
