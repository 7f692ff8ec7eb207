// The level file picker: its bar and the rules a chosen name must follow.
#include "editor/LevelFilePicker.h"

#include <algorithm>
#include <filesystem>

namespace LevelEditor {
namespace {

namespace fs = std::filesystem;

}  // namespace

LevelFilePicker::LevelFilePicker(std::string saveDirectory, std::vector<std::string> directories, Ask ask, Say say)
    : saveDirectory(std::move(saveDirectory)), directories(std::move(directories)), ask(std::move(ask)),
      say(std::move(say)) {}

LevelFilePicker::~LevelFilePicker() { Close(); }

std::vector<std::string> LevelFilePicker::ListLevels() const {
    std::vector<std::string> names;
    for (const std::string& directory : directories) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(directory, error)) {
            if (entry.is_regular_file(error) && entry.path().extension() == ".xml") {
                names.push_back(entry.path().stem().string());
            }
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

void LevelFilePicker::Show(Purpose newPurpose, Chosen onChosen, std::function<void()> onCancelled) {
    Close();
    purpose = newPurpose;
    chosen = std::move(onChosen);
    cancelled = std::move(onCancelled);
    typedName.clear();
    Build();
}

void LevelFilePicker::Build() {
    bar = TwNewBar("LevelFiles");
    const std::string title = purpose == Purpose::Open ? "Open" : "Save";
    TwDefine((" LevelFiles label='" + title + "' position='300 60' size='240 420' color='40 40 90' ").c_str());
    TwAddVarCB(
        bar, "FileName", TW_TYPE_STDSTRING,
        [](const void* value, void* picker) {
            static_cast<LevelFilePicker*>(picker)->typedName = *static_cast<const std::string*>(value);
        },
        [](void* value, void* picker) {
            *static_cast<std::string*>(value) = static_cast<LevelFilePicker*>(picker)->typedName;
        },
        this, " label='Name: ' ");
    TwAddButton(
        bar, "FileOK", [](void* picker) {
            auto* self = static_cast<LevelFilePicker*>(picker);
            self->Choose(self->typedName);
        },
        this, (" label='" + title + "' ").c_str());
    TwAddButton(bar, "FileCancel", [](void* picker) { static_cast<LevelFilePicker*>(picker)->Cancel(); }, this,
                " label='Cancel' ");
    // The name field and the buttons come first, the files below: a click on a file fills the name.
    TwAddSeparator(bar, "FilesStart", "");
    for (const std::string& name : ListLevels()) {
        buttons.push_back(std::make_unique<FileButton>(FileButton{this, name}));
        TwAddButton(bar, ("File" + name).c_str(),
                    [](void* data) {
                        auto* button = static_cast<FileButton*>(data);
                        button->picker->typedName = button->name;
                    },
                    buttons.back().get(), (" label='" + name + "' group='Levels' ").c_str());
    }
    TwDefine(" LevelFiles/FileName keyboardfocus=true ");
}

bool LevelFilePicker::Choose(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
        name.find("..") != std::string::npos) {
        say("A level file cannot be named \"" + name + "\": it must stay in the levels directory.");
        return false;
    }
    const std::string file = name.find(".xml") == std::string::npos ? name + ".xml" : name;
    std::string path = saveDirectory + file;
    std::error_code error;
    if (purpose == Purpose::Open) {
        path.clear();
        for (const std::string& directory : directories) {
            if (path.empty() && fs::is_regular_file(directory + file, error)) {
                path = directory + file;
            }
        }
        if (path.empty()) {
            say("There is no level \"" + file + "\".");
            return false;
        }
    }
    if (purpose == Purpose::Save && fs::exists(path, error) &&
        !ask("Save", "\"" + file + "\" already exists. Do you want to replace it?")) {
        return false;
    }
    // The callback may show the picker again; it gets its own copy of what to do.
    const Chosen done = chosen;
    Close();
    done(path);
    return true;
}

void LevelFilePicker::Cancel() {
    const std::function<void()> done = cancelled;
    Close();
    if (done) {
        done();
    }
}

void LevelFilePicker::Close() {
    if (bar != nullptr) {
        TwDeleteBar(bar);
        bar = nullptr;
    }
    buttons.clear();
}

}  // namespace LevelEditor
