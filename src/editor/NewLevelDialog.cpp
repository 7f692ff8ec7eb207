// The New Level dialog's bar and the sizes it accepts.
#include "editor/NewLevelDialog.h"

namespace LevelEditor {
namespace {

void SetText(const void* value, void* text) {
    *static_cast<std::string*>(text) = *static_cast<const std::string*>(value);
}
void GetText(void* value, void* text) {
    *static_cast<std::string*>(value) = *static_cast<std::string*>(text);
}

}  // namespace

NewLevelDialog::~NewLevelDialog() {
    Close();
}

void NewLevelDialog::Show(Chosen onChosen) {
    Close();
    chosen = std::move(onChosen);
    typedWidth = std::to_string(kDefaultWidth);
    typedHeight = std::to_string(kDefaultHeight);
    bar = TwNewBar("NewLevel");
    TwDefine(
        " NewLevel label='New Level (Ctrl+Z undoes it)' position='300 60' size='300 130' "
        "color='40 90 40' ");
    TwAddVarCB(bar, "NewWidth", TW_TYPE_STDSTRING, &SetText, &GetText, &typedWidth,
               " label='Width (8-4096)' ");
    TwAddVarCB(bar, "NewHeight", TW_TYPE_STDSTRING, &SetText, &GetText, &typedHeight,
               " label='Height (8-4096)' ");
    TwAddButton(
        bar, "NewMake",
        [](void* dialog) {
            auto* self = static_cast<NewLevelDialog*>(dialog);
            self->Choose(self->typedWidth, self->typedHeight);
        },
        this, " label='Make' ");
    TwAddButton(
        bar, "NewCancel", [](void* dialog) { static_cast<NewLevelDialog*>(dialog)->Cancel(); }, this,
        " label='Cancel' ");
}

bool NewLevelDialog::ParseSide(const std::string& text, unsigned& side, std::string& why) {
    // Longer than five digits is past the bound whatever it says, and cannot overflow below.
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) {
        why = "\"" + text + "\" is not a whole number";
        return false;
    }
    const unsigned value = static_cast<unsigned>(std::stoul(text));
    if (value < kSmallest || value > kLargest) {
        why = text + " is outside 8 to 4096";
        return false;
    }
    side = value;
    return true;
}

bool NewLevelDialog::Choose(const std::string& width, const std::string& height) {
    unsigned w = 0;
    unsigned h = 0;
    std::string why;
    if (!ParseSide(width, w, why) || !ParseSide(height, h, why)) {
        say("A new level's size is refused: " + why + ".");
        return false;
    }
    // The callback may show the dialog again; it gets its own copy of what to do.
    const Chosen done = chosen;
    Close();
    if (done) {
        done(w, h);
    }
    return true;
}

void NewLevelDialog::Cancel() {
    Close();
}

void NewLevelDialog::Close() {
    if (bar != nullptr) {
        TwDeleteBar(bar);
        bar = nullptr;
    }
}

}  // namespace LevelEditor
