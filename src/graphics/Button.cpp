// The menu button's label, layout and highlight.
#include "graphics/Button.h"

#include <algorithm>

#include "engine/AssetManager.h"
#include "engine/ComponentAttachment.h"
#include "engine/Entity.h"
#include "graphics/TextMeasure.h"

namespace Graphics {
namespace {

// A texture asset by stem, or null. The plates are optional: one that is not loaded is left null
// without a report, as the level's textures are.
Texture* FindTexture(const std::string& stem) {
    ZELM::AssetManager& assets = ZELM::AssetManager::Instance();
    return assets.Has(stem) ? assets.Get<Texture*>(stem) : nullptr;
}

}  // namespace

Button::Button() {
    engine.SetName("Engine");
    if (engine.IsBound("AddText")) {
        label = engine.Call<Text*>("AddText");
    }
    if (label == nullptr) {
        ownLabel = std::make_unique<Text>(0, 0, 800, 1.0f);
        label = ownLabel.get();
    }
    ShowText(buttonText);
}

Button::~Button() {
    label->text.clear();
}

void Button::Bind() {
    DynamicBinder::Bind("Draw", this, &Button::Draw);
    DynamicBinder::Bind("Select", this, &Button::Select);
    DynamicBinder::Bind("SetText", this, &Button::SetText);
    DynamicBinder::Bind("SetTexture", this, &Button::SetTexture);
    DynamicBinder::Bind("SetTextScale", this, &Button::SetTextScale);
    DynamicBinder::Bind("IsHovered", this, &Button::IsHovered);
    DynamicBinder::Bind("ContainsPoint", this, &Button::ContainsPoint);
    DynamicBinder::Bind("IsHoverTriggered", this, &Button::IsHoverTriggered);
    BindProperty(&buttonText, "Button Text", this, &Button::OnButtonTextLoaded);
}

void Button::Init() {
    if (ZELM::Entity* owner = GetOwner().GetIfAlive()) {
        ZELM::EnsureComponent(*owner, "Logic", "Physical");
    }
    texture = FindTexture("button");
    hoverTexture = FindTexture("buttonhover");
    device = engine.IsBound("GetDevice") ? engine.Call<Device*>("GetDevice") : nullptr;
    sprites = engine.IsBound("GetSpriteObject") ? engine.Call<SpriteBatch*>("GetSpriteObject") : nullptr;
    layoutWidth = 800;
    highlight = 0.0f;
    selected = false;
    hovered = false;
    hoverTriggered = false;
}

void Button::OnButtonTextLoaded(const std::string& text) {
    ShowText(text);
}

void Button::SetText(std::string text) {
    buttonText = std::move(text);
    ShowText(buttonText);
}

void Button::ShowText(const std::string& text) {
    // The text layer drops a line drawn empty for good; a blank keeps the label listed, so a
    // button emptied by a script can be given words again.
    label->text = text.empty() ? " " : text;
}

void Button::SetTexture(std::string name) {
    // A name a script or a level gives: one that is not loaded is reported.
    texture = ZELM::AssetManager::Instance().Get<Texture*>(name);
}

bool Button::ContainsPoint(int x, int y) const {
    // The text layer's own measure; a dim label is drawn lower, so the box reaches down that far too.
    const float right = static_cast<float>(label->x) + TextMeasure::Width(label->text, label->scale);
    const float bottom = static_cast<float>(label->y) + TextMeasure::LineHeight(label->scale) + TextMeasure::kDimDrop;
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    return px >= static_cast<float>(label->x) && px < right && py >= static_cast<float>(label->y) &&
           py < bottom;
}

void Button::Update(float /*dt*/) {
    LayOut();
    Step();
}

void Button::LayOut() {
    const int screenWidth = engine.IsBound("GetScreenWidth") ? engine.Call<int>("GetScreenWidth") : 800;
    const int screenHeight = engine.IsBound("GetScreenHeight") ? engine.Call<int>("GetScreenHeight") : 600;
    const int y = IsBound("GetY") ? static_cast<int>(Call<float>("GetY")) : 0;
    const float r = static_cast<float>(screenHeight) / 600.0f;

    // Centred across the window whatever the entity's x; its y is a height in a 600-pixel screen,
    // and the whole place scales with the window, so a menu keeps its shape at every resolution.
    label->scale = textScale * r;
    label->width = static_cast<int>(static_cast<float>(layoutWidth) * r);
    label->x = TextMeasure::CentredLeft(static_cast<float>(screenWidth), label->text, label->scale);
    label->y =
        static_cast<int>(static_cast<float>(screenHeight) * (static_cast<float>(y) + kLabelDrop) / 600.0f);
    label->highlight = highlight;
    // Menus are drawn over the dimmed frame of a pause, on one panel round all their buttons.
    label->overDim = true;
    label->panel = kMenuPanel;
    label->keepsPlace = true;
}

// Per update, not per frame: the graphics service updates a component three times a frame.
void Button::Step() {
    if (selected) {
        highlight = std::min(highlight + kHighlightStep, 1.0f);
        hoverTriggered = !hovered;
        hovered = true;
    } else {
        highlight = std::max(highlight - kHighlightStep, 0.0f);
        hovered = false;
    }
}

}  // namespace Graphics
