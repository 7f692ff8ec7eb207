// Making, naming and placing a paged list of buttons.
#include "logic/screens/PagedButtons.h"

#include <algorithm>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"

namespace Logic {
namespace {

// Below the screen: a button there is neither seen nor under the mouse.
constexpr float kOffScreenY = 10000.0f;

}  // namespace

void PagedButtons::Create(const std::vector<std::string>& texts) {
    count = texts.size();
    placedPage = SIZE_MAX;
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ZELM::Entity* button = entities->CreateFromArchetype(NameOf(i), "button").Resolve();
        if (button == nullptr || !button->IsBound("SetText")) {
            continue;
        }
        button->Call("SetText", texts[i]);
        button->CallAll("SetX", 0.0f);
        button->CallAll("SetY", kOffScreenY);
    }
}

std::vector<std::string> PagedButtons::GetNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(NameOf(i));
    }
    return names;
}

void PagedButtons::SetText(std::size_t index, const std::string& text) const {
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (entities == nullptr) {
        return;
    }
    if (ZELM::Entity* button = entities->Get(NameOf(index)).GetIfAlive(); button != nullptr && button->IsBound("SetText")) {
        button->Call("SetText", text);
    }
}

std::size_t PagedButtons::PageStart(std::size_t selection, std::size_t count, std::size_t perPage) {
    if (count == 0 || perPage == 0) {
        return 0;
    }
    const std::size_t shown = selection < count ? selection : count - 1;
    return shown / perPage * perPage;
}

std::string PagedButtons::PageLabel(std::size_t selection) const {
    if (count <= perPage) {
        return {};
    }
    const std::size_t pages = (count + perPage - 1) / perPage;
    const std::size_t page = PageStart(selection, count, perPage) / perPage + 1;
    return "page " + std::to_string(page) + " of " + std::to_string(pages);
}

void PagedButtons::Place(std::size_t selection, const std::vector<std::string>& below) {
    const std::size_t start = PageStart(selection, count, perPage);
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (start == placedPage || entities == nullptr) {
        return;
    }
    placedPage = start;
    const std::size_t end = std::min(count, start + perPage);
    for (std::size_t i = 0; i < count; ++i) {
        if (ZELM::Entity* button = entities->Get(NameOf(i)).GetIfAlive()) {
            const bool onPage = i >= start && i < end;
            button->CallAll("SetY", onPage ? kFirstY + kStep * static_cast<float>(i - start) : kOffScreenY);
        }
    }
    float y = kFirstY + kStep * static_cast<float>(end - start);
    for (const std::string& name : below) {
        if (ZELM::Entity* button = entities->Get(name).GetIfAlive()) {
            button->CallAll("SetY", y);
            y += kStep;
        }
    }
}

}  // namespace Logic
