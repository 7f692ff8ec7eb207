// The entity menu's bar, its buttons and the changes they make to the entity.
#include "editor/EntityMenu.h"

#include <SDL.h>

#include "editor/MenuPlacement.h"
#include "editor/PropertyVariables.h"
#include "engine/ComponentRegistry.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/RegistryItem.h"
#include "windows/WindowHandles.h"

namespace LevelEditor {
namespace {

// Typed names become entity names: spaces are read as underscores, as everywhere else.
std::string Underscored(std::string name) {
    for (char& c : name) {
        if (c == ' ') {
            c = '_';
        }
    }
    return name;
}

// An archetype is a file named after its entity: the name must stay in the archetypes directory.
bool StaysInItsDirectory(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos;
}

struct ComponentCollector : ZELM::IVisitor<ZELM::Component> {
    void Visit(ZELM::Component& component) override { components.push_back(&component); }
    std::vector<ZELM::Component*> components;
};

struct ItemCollector : ZELM::IVisitor<ZELM::RegistryItem> {
    void Visit(ZELM::RegistryItem& item) override { items.push_back(item); }
    std::vector<ZELM::RegistryItem> items;
};

int ParamInts(TwBar* bar, const char* name, int* values, unsigned count) {
    return TwGetParam(bar, nullptr, name, TW_PARAM_INT32, count, values);
}

}  // namespace

EntityMenu::EntityMenu() { engine.SetName("Engine"); }

EntityMenu* EntityMenu::Attach(const ZELM::EntityHandle& entity) {
    ZELM::Entity* target = entity.Resolve();
    if (target == nullptr) {
        return nullptr;
    }
    if (auto* existing = dynamic_cast<EntityMenu*>(target->GetComponent("EntityMenu"))) {
        return existing;
    }
    ZELM::Component* created = ZELM::ComponentRegistry::Instance().Create("LevelEditor", "EntityMenu");
    auto* menu = dynamic_cast<EntityMenu*>(created);
    if (menu == nullptr) {
        delete created;
        return nullptr;
    }
    target->AddComponent(menu);
    menu->Bind();
    menu->AddToService();
    menu->Init();
    return menu;
}

EntityMenu::~EntityMenu() {
    if (bar != nullptr) {
        TwDeleteBar(bar);
    }
}

void EntityMenu::Bind() {
    ZELM::DynamicBinder::Bind("UpdateEntityMenu", this, &EntityMenu::UpdateEntityMenu);
    ZELM::DynamicBinder::Bind("MenuVisible", this, &EntityMenu::MenuVisible);
    ZELM::DynamicBinder::Bind("RemoveComponent", this, &EntityMenu::RemoveComponent);
    ZELM::DynamicBinder::Bind("ChangeMenuPos", this, &EntityMenu::ChangeMenuPos);
    // The bar's buttons queue these: the bar must not be rebuilt, nor a component deleted, while
    // one of its own callbacks runs.
    BindDeferred("UpdateEntityMenu", this, &EntityMenu::UpdateEntityMenu);
    BindDeferred("RemoveComponent", this, &EntityMenu::RemoveComponent);
}

ZELM::Entity* EntityMenu::Owner() const { return GetOwner().Resolve(); }

void EntityMenu::Build() {
    ZELM::Entity* owner = Owner();
    if (owner == nullptr) {
        return;
    }
    barName = owner->GetName();
    bar = TwNewBar(barName.c_str());
    const std::string shape = barName + " label='" + barName + "' resizable=true fontresizable=false" +
                              " position='" + std::to_string(positionX) + " " + std::to_string(positionY) + "' " +
                              " size='" + std::to_string(width) + " " + std::to_string(height) + "' " +
                              " color='" + std::to_string(red) + " " + std::to_string(green) + " " +
                              std::to_string(blue) + "' ";
    TwDefine(shape.c_str());
    TwAddVarCB(bar, "EName", TW_TYPE_STDSTRING, &EntityMenu::SetName, &EntityMenu::GetName, this, " label='Name: ' ");
    TwAddSeparator(bar, "Separator1", "");
    AddAttachedComponents();
    TwAddSeparator(bar, "Separator2", "");
    AddCreateButtons();
    TwAddSeparator(bar, "Separator3", "");
    TwAddVarCB(bar, "AName", TW_TYPE_STDSTRING, &EntityMenu::SetArchetype, &EntityMenu::GetArchetype, this,
               " label='Use Archetype: '");
    TwAddButton(bar, "SaveArchetype", &EntityMenu::SaveArchetype, this, " label='Save As Archetype'");
    TwAddSeparator(bar, "Separator4", "");
    TwAddButton(bar, "DestroyEntity", &EntityMenu::DestroyEntity, this, " label='Destroy Entity'");
    TwAddButton(bar, "CloseMenu", &EntityMenu::CloseMenu, this, " label='Close Menu'");
    ApplyVisibility();
}

void EntityMenu::AddAttachedComponents() {
    ComponentCollector attached;
    if (ZELM::Entity* owner = Owner()) {
        owner->VisitComponents(attached);
    }
    componentRecords.clear();
    propertyRecords.clear();
    for (ZELM::Component* component : attached.components) {
        // The menu does not offer itself: removing it would delete the bar whose button is pressed.
        if (component == this) {
            continue;
        }
        const std::string& type = component->GetTypeName();
        const std::string& service = component->GetServiceName();
        AddAnnouncedPropertyVariables(bar, *component, type,
                                      barName + "/" + type + " group='" + service + "' \n" + barName + "/" +
                                          service + " group=Attached ",
                                      barName, engine, propertyRecords);
        componentRecords.push_back(std::make_unique<std::pair<EntityMenu*, ZELM::Component*>>(this, component));
        void* record = componentRecords.back().get();
        TwAddButton(bar, (type + "Remove").c_str(),
                    [](void* data) {
                        auto* pair = static_cast<std::pair<EntityMenu*, ZELM::Component*>*>(data);
                        pair->first->AnnounceEdit("remove " + pair->second->GetTypeName() + " from " +
                                                  pair->first->OwnerName());
                        if (ZELM::Entity* owner = pair->first->Owner()) {
                            owner->SetArchetypeName("Not Set");
                        }
                        pair->first->CallLater("RemoveComponent", 0.0f, pair->second);
                    },
                    record, (" label=Remove group='" + type + "' ").c_str());
        if (!component->IsInService()) {
            TwAddButton(bar, (type + "Activate").c_str(),
                        [](void* data) {
                            auto* pair = static_cast<std::pair<EntityMenu*, ZELM::Component*>*>(data);
                            pair->first->AnnounceEdit("activate " + pair->second->GetTypeName() + " on " +
                                                      pair->first->OwnerName());
                            pair->second->AddToService();
                            pair->second->Init();
                            pair->first->QueueUpdate();
                        },
                        record, (" label=Activate group='" + type + "' ").c_str());
        }
        const std::string groups = barName + "/" + type + " opened=false group='" + service + "' \n" + barName + "/" +
                                   service + " opened=false group=Attached \n" + barName + "/" +
                                   "Attached opened=false ";
        TwDefine(groups.c_str());
    }
}

void EntityMenu::AddCreateButtons() {
    ItemCollector registry;
    ZELM::ComponentRegistry::Instance().VisitItems(registry);
    createRecords.clear();
    for (const ZELM::RegistryItem& item : registry.items) {
        if (item.serviceName == "LevelEditor") {
            continue;  // the editor's own components are never offered
        }
        createRecords.push_back(std::make_unique<CreateRecord>(CreateRecord{this, item.serviceName, item.typeName}));
        TwAddButton(bar, ("AC" + item.typeName).c_str(), &EntityMenu::CreateComponent, createRecords.back().get(),
                    (" label='Create' group='Add" + item.typeName + "' ").c_str());
        const std::string groups = barName + "/Add" + item.typeName + " opened=false label='" + item.typeName +
                                   "' group='Add" + item.serviceName + "' \n" + barName + "/Add" + item.serviceName +
                                   " opened=false label='" + item.serviceName + "' group='AddComponent' \n" +
                                   barName + "/AddComponent opened=false label='Add Component' ";
        TwDefine(groups.c_str());
    }
}

void EntityMenu::SaveAndDeleteBar() {
    if (bar == nullptr) {
        return;
    }
    int position[2] = {positionX, positionY};
    int size[2] = {width, height};
    int color[3] = {red, green, blue};
    if (ParamInts(bar, "position", position, 2) == 2) {
        positionX = position[0];
        positionY = position[1];
    }
    if (ParamInts(bar, "size", size, 2) == 2) {
        width = size[0];
        height = size[1];
    }
    if (ParamInts(bar, "color", color, 3) == 3) {
        red = color[0];
        green = color[1];
        blue = color[2];
    }
    TwDeleteBar(bar);
    bar = nullptr;
}

void EntityMenu::UpdateEntityMenu() {
    SaveAndDeleteBar();
    Build();
}

void EntityMenu::MenuVisible(bool opened) {
    open = opened;
    ApplyVisibility();
}

void EntityMenu::Show(bool shown) {
    if (bar != nullptr) {
        TwSetParam(bar, nullptr, "visible", TW_PARAM_CSTRING, 1, shown && open ? "true" : "false");
        TwSetParam(bar, nullptr, "iconified", TW_PARAM_CSTRING, 1, "false");
    }
}

void EntityMenu::ApplyVisibility() {
    // Without an editor (a bare test of the menu) the menu shows whenever it is open.
    Show(!engine.IsBound("GetEditorMode") || engine.Call<bool>("GetEditorMode"));
}

void EntityMenu::CloseMenu(void* menu) {
    static_cast<EntityMenu*>(menu)->MenuVisible(false);
}

void EntityMenu::ChangeMenuPos(int x, int y) {
    MenuPlacement::Point window{Windows::kClientWidth, Windows::kClientHeight};
    if (engine.IsBound("GetScreenWidth")) {
        window = {engine.Call<int>("GetScreenWidth"), engine.Call<int>("GetScreenHeight")};
    }
    const MenuPlacement::Point inside = MenuPlacement::Inside({x, y}, {width, height}, window);
    positionX = inside.x;
    positionY = inside.y;
    x = inside.x;
    y = inside.y;
    if (bar != nullptr) {
        const int position[2] = {x, y};
        TwSetParam(bar, nullptr, "position", TW_PARAM_INT32, 2, position);
    }
    UpdateEntityMenu();
}

void EntityMenu::RemoveComponent(ZELM::Component* component) {
    // The pointer came through a queue: it is used only when it is still one of the entity's.
    ZELM::Entity* owner = Owner();
    if (owner == nullptr) {
        return;
    }
    ComponentCollector attached;
    owner->VisitComponents(attached);
    bool present = false;
    for (ZELM::Component* candidate : attached.components) {
        present = present || (candidate == component && candidate != this);
    }
    if (!present) {
        return;
    }
    // The bar goes first: its variables point into the component.
    SaveAndDeleteBar();
    owner->RemoveComponent(component);
    engine.CallLater("RebuildEntityTable", 0.0f, GetOwner());
}

void EntityMenu::QueueUpdate() { CallLater("UpdateEntityMenu", 0.0f); }

void EntityMenu::AnnounceEdit(const std::string& description) {
    if (engine.IsBound("BeginEdit")) {
        engine.Call("BeginEdit", description);
    }
}

std::string EntityMenu::OwnerName() const {
    const ZELM::Entity* owner = Owner();
    return owner != nullptr ? owner->GetName() : barName;
}

void EntityMenu::SetName(const void* value, void* menu) {
    auto* self = static_cast<EntityMenu*>(menu);
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    self->AnnounceEdit("rename " + self->OwnerName() + " to " +
                       Underscored(*static_cast<const std::string*>(value)));
    if (entities != nullptr) {
        entities->RenameEntity(self->GetOwner(), Underscored(*static_cast<const std::string*>(value)));
    }
    // The components' methods still sit under the old name until the engine moves them; it then
    // rebuilds this menu.
    self->engine.CallLater("RebuildEntityTable", 0.0f, self->GetOwner());
}

void EntityMenu::GetName(void* value, void* menu) {
    const ZELM::Entity* owner = static_cast<EntityMenu*>(menu)->Owner();
    *static_cast<std::string*>(value) = owner != nullptr ? owner->GetName() : std::string();
}

void EntityMenu::SetArchetype(const void* value, void* menu) {
    auto* self = static_cast<EntityMenu*>(menu);
    const std::string& name = *static_cast<const std::string*>(value);
    ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities();
    if (name.empty() || entities == nullptr) {
        return;
    }
    self->AnnounceEdit("use archetype " + Underscored(name) + " on " + self->OwnerName());
    // The archetype replaces every component, this menu included: nothing of it is used after.
    const ZELM::EntityHandle owner = self->GetOwner();
    self->SaveAndDeleteBar();
    const int x = self->positionX;
    const int y = self->positionY;
    entities->ApplyArchetype(owner, Underscored(name));
    if (EntityMenu* menu = Attach(owner)) {
        menu->ChangeMenuPos(x, y);
    }
}

void EntityMenu::GetArchetype(void* value, void* menu) {
    const ZELM::Entity* owner = static_cast<EntityMenu*>(menu)->Owner();
    *static_cast<std::string*>(value) = owner != nullptr ? owner->GetArchetypeName() : std::string();
}

void EntityMenu::SaveArchetype(void* menu) {
    auto* self = static_cast<EntityMenu*>(menu);
    const ZELM::Entity* owner = self->Owner();
    if (owner == nullptr) {
        return;
    }
    const std::string name = owner->GetName();
    if (!StaysInItsDirectory(name)) {
        self->engine.Call("ConsoleOutput", std::string("An archetype cannot be named \"" + name + "\"."));
        return;
    }
    if (!ZELM::Engine::Exists() || !ZELM::Engine::Instance().SaveArchetype(self->GetOwner())) {
        return;  // reported by the content pipeline
    }
    self->engine.Call("ConsoleOutput", std::string("Archetype saved!"));
    if (Windows::windowHandle != nullptr) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "Saved!", "Archetype saved!", Windows::windowHandle);
    }
}

void EntityMenu::DestroyEntity(void* menu) {
    auto* self = static_cast<EntityMenu*>(menu);
    self->AnnounceEdit("destroy " + self->OwnerName());
    if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
        entities->RequestDestroy(self->GetOwner());
    }
}

void EntityMenu::CreateComponent(void* data) {
    auto* record = static_cast<CreateRecord*>(data);
    EntityMenu* self = record->menu;
    self->AnnounceEdit("create " + record->typeName + " on " + self->OwnerName());
    ZELM::Component* component = ZELM::ComponentRegistry::Instance().Create(record->serviceName, record->typeName);
    if (component == nullptr) {
        return;  // reported by the registry
    }
    ZELM::Entity* owner = self->Owner();
    if (owner == nullptr) {
        delete component;
        return;
    }
    // A component of that type already there is replaced: the bar pointing into it goes first.
    self->SaveAndDeleteBar();
    owner->AddComponent(component);
    component->Bind();
    owner->SetArchetypeName("Not Set");
    self->QueueUpdate();
}

}  // namespace LevelEditor
