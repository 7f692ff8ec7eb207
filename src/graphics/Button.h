// A menu button: a centred text label that lights up while the button is selected.
#pragma once

#include <memory>
#include <string>

#include "engine/Component.h"
#include "graphics/Text.h"

namespace Graphics {

class Device;
class SpriteBatch;
class Texture;

class Button : public ZELM::Component {
public:
    // Takes its label line from the text layer ("AddText").
    Button();
    // Blanks the label: the text layer keeps the line alive and would otherwise go on drawing it.
    ~Button() override;
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    void Bind() override;
    // Gives the entity a place ("Physical") when it has none, and looks up the plates and the device.
    void Init() override;
    // Lays the label out for the window's size and steps the highlight and the hover flags.
    void Update(float dt) override;

    // The label is the button's whole picture, and the text layer draws it.
    void Draw() {}
    void Select(bool isSelected) { selected = isSelected; }
    void SetText(std::string text);
    void SetTexture(std::string name);
    // The label's size in a 600-pixel screen (2 unless set): long rows of a dense menu need less.
    void SetTextScale(float scale) { textScale = scale; }
    // Whether the point (client pixels) lies on the label: the mouse picks a button by its words.
    bool ContainsPoint(int x, int y) const;
    bool IsHovered() const { return hovered; }
    // True after the first update of a selection, until the next update.
    bool IsHoverTriggered() const { return hoverTriggered; }

    Text* GetLabel() const { return label; }
    float GetHighlight() const { return highlight; }
    Texture* GetTexture() const { return texture; }
    Texture* GetHoverTexture() const { return hoverTexture; }

    // The highlight's change per step, up while selected and down after.
    static constexpr float kHighlightStep = 0.096f;
    // The text panel (Text::panel) a menu's labels share: drawn round them wherever they stand.
    static constexpr int kMenuPanel = 10;
    // How far the label's top sits below the entity's y, in a 600-pixel screen.
    static constexpr float kLabelDrop = 17.0f;

private:
    void OnButtonTextLoaded(const std::string& text);
    void ShowText(const std::string& text);
    void LayOut();
    void Step();

    // Calls on "Engine": the graphics service and the engine.
    ZELM::DynamicCaller engine;
    std::unique_ptr<Text> ownLabel;  // only without a text layer, so the label is never null
    Text* label = nullptr;
    std::string buttonText;
    Texture* texture = nullptr;
    Texture* hoverTexture = nullptr;
    Device* device = nullptr;
    SpriteBatch* sprites = nullptr;
    int layoutWidth = 800;
    float textScale = 2.0f;
    float highlight = 0.0f;
    bool selected = false;
    bool hovered = false;
    bool hoverTriggered = false;
};

}  // namespace Graphics
