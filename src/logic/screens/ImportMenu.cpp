// The list of shared level files and their import.
#include "logic/screens/ImportMenu.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "logic/screens/MenuButtons.h"

namespace Logic {
namespace {

namespace fs = std::filesystem;

constexpr float kNoticeY = 540.0f;
const char kExtension[] = ".fwlevel";

}  // namespace

ImportMenu::ImportMenu() : menu(MenuButtons::kLevelSelect, true), notice(engine, kNoticeY) {}

std::vector<std::string> ImportMenu::SearchedFolders() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        return {};
    }
    const std::string root = home;
    return {root + "/", root + "/Downloads/", root + "/Desktop/"};
}

std::vector<std::string> ImportMenu::FindLevelFiles(const std::vector<std::string>& folders) {
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    for (const std::string& folder : folders) {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
            if (found.size() >= kMostListed) {
                break;
            }
            if (entry.path().extension() == kExtension && entry.is_regular_file(error)) {
                found.emplace_back(entry.last_write_time(error), entry.path().string());
            }
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::string> files;
    for (auto& [time, path] : found) {
        files.push_back(std::move(path));
    }
    return files;
}

void ImportMenu::Init() {
    ResetView();
    files = FindLevelFiles(SearchedFolders());
    std::vector<std::string> texts;
    for (const std::string& file : files) {
        texts.push_back("[" + fs::path(file).filename().string() + "]");
    }
    list.Create(texts);
    std::vector<std::string> names = list.GetNames();
    names.insert(names.end(), MenuButtons::kLevelSelect.begin(), MenuButtons::kLevelSelect.end());
    menu = Menu(names, true);
    menu.SetSelection(0);
    menu.FindButtons(true);
    list.Place(0, MenuButtons::kLevelSelect);
    notice.Show(files.empty() ? "No level files (.fwlevel) in your home, Downloads or Desktop folder."
                              : "Choose a level file to add to your levels.");
}

void ImportMenu::Import(const std::string& file) {
    if (!engine.IsBound("ImportLevelFile")) {
        return;
    }
    const std::string problem = engine.Call<std::string>("ImportLevelFile", file);
    if (problem.empty()) {
        PostLoadLevel("MyLevels");  // the game flow keeps the imported level in focus
        return;
    }
    notice.Show(problem);
}

void ImportMenu::Update(float) {
    if (BackTriggered()) {
        PostLoadLevel("MyLevels");
        return;
    }
    const bool confirmed = menu.Step(engine);
    list.Place(static_cast<std::size_t>(menu.GetSelection()), MenuButtons::kLevelSelect);
    if (!confirmed) {
        return;
    }
    const auto chosen = static_cast<std::size_t>(menu.GetSelection());
    if (chosen < files.size()) {
        Import(files[chosen]);
    } else {
        PostLoadLevel("MyLevels");
    }
}

}  // namespace Logic
