// The menu every entity carries in editor mode: its name, its components' properties, buttons that
// remove, activate and add components, its archetype, and its destruction.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/PropertyVariables.h"
#include "editor/tweakbar/TweakBar.h"
#include "engine/Component.h"

namespace LevelEditor {

class EntityMenu : public ZELM::Component {
public:
    EntityMenu();
    ~EntityMenu() override;

    // Gives the entity a menu of the editor's service (bound, in the service, its bar built) unless
    // it has one, and returns it; null when the registry cannot make one.
    static EntityMenu* Attach(const ZELM::EntityHandle& entity);

    void Bind() override;
    // Builds the bar.
    void Init() override { Build(); }
    void Update(float) override {}
    bool IsSavedWithTheLevel() const override { return false; }

    // Bound by name on the entity.
    void UpdateEntityMenu();
    void MenuVisible(bool open);
    void RemoveComponent(ZELM::Component* component);
    void ChangeMenuPos(int x, int y);

    // The editor's menus are shown or hidden together; of the entity menus only the open ones
    // show, so no folded title is left lying about (the "Entities" list opens the others).
    void Show(bool shown);

    const std::string& GetBarName() const { return barName; }
    int GetX() const { return positionX; }
    int GetY() const { return positionY; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    // Opened by the designer (shown while the editor's menus are).
    bool IsOpen() const { return open; }

private:
    struct CreateRecord {
        EntityMenu* menu;
        std::string serviceName;
        std::string typeName;
    };

    // The entity this menu belongs to; null, reported, when it is gone.
    ZELM::Entity* Owner() const;
    void Build();
    void SaveAndDeleteBar();
    void AddAttachedComponents();
    void AddCreateButtons();
    void QueueUpdate();
    // Tells the editor's history an edit of this entity is about to be made.
    void AnnounceEdit(const std::string& description);
    std::string OwnerName() const;
    // Shown while open and the editor's menus are shown.
    void ApplyVisibility();

    static void SetName(const void* value, void* menu);
    static void GetName(void* value, void* menu);
    static void SetArchetype(const void* value, void* menu);
    static void GetArchetype(void* value, void* menu);
    static void SaveArchetype(void* menu);
    static void DestroyEntity(void* menu);
    static void CloseMenu(void* menu);
    static void CreateComponent(void* record);

    ZELM::DynamicCaller engine;
    std::string barName;
    TwBar* bar = nullptr;
    // Until placed beside its entity, right of the main menu.
    int positionX = 220;
    int positionY = 40;
    bool open = true;
    int width = 210;
    int height = 200;
    int red = 0;
    int green = 200;
    int blue = 0;
    std::vector<std::unique_ptr<CreateRecord>> createRecords;
    // Component buttons carry the menu and the component; kept while their bar lives.
    std::vector<std::unique_ptr<std::pair<EntityMenu*, ZELM::Component*>>> componentRecords;
    std::vector<std::unique_ptr<AnnouncedProperty>> propertyRecords;
};

}  // namespace LevelEditor
