// The entry point: the services in their order, the asset loaders, and the engine's loop.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/ComponentReference.h"
#include "app/LaunchOptions.h"
#include "app/LevelChecker.h"
#include "app/TraceWriter.h"
#include "audio/AudioService.h"
#include "editor/LevelEditorService.h"
#include "engine/ComponentRegistry.h"
#include "engine/Engine.h"
#include "engine/PathTable.h"
#include "engine/PlayerLevels.h"
#include "engine/ProblemReport.h"
#include "engine/ShortName.h"
#include "engine/StartProblem.h"
#include "engine/UserDirectories.h"
#include "graphics/GraphicsService.h"
#include "graphics/TextureLoader.h"
#include "input/InputService.h"
#include "input/ReplayService.h"
#include "input/XboxControllerInput.h"
#include "logic/LogicService.h"
#include "networking/NetworkManager.h"
#include "physics/PhysicsService.h"
#include "sharing/LevelPackExport.h"
#include "sharing/LevelPackImport.h"
#include "windows/NoticeBox.h"
#include "windows/ProblemBox.h"
#include "windows/QuestionBox.h"
#include "windows/WindowsService.h"

namespace {

namespace fs = std::filesystem;

struct BundledData {
    std::string working;     // the directory holding manifest.txt
    bool installed = false;  // found in an installed tree, which may be read-only
};

// The bundled data: share/fallward/Working beside the executable's directory (bin/ when installed,
// /usr/games from the Debian package), or game/Working above it (the build folder sits in the
// repository).
BundledData FindBundledData() {
    std::error_code error;
    fs::path directory = fs::read_symlink("/proc/self/exe", error).parent_path();
    const fs::path installed = directory.parent_path() / "share" / "fallward" / "Working";
    if (!directory.empty() && fs::exists(installed / "manifest.txt", error)) {
        return {installed.string(), true};
    }
    for (int up = 0; up < 4 && !directory.empty(); ++up) {
        const fs::path candidate = directory / "game" / "Working";
        if (fs::exists(candidate / "manifest.txt", error)) {
            return {candidate.string(), false};
        }
        directory = directory.parent_path();
    }
    return {"game/Working", false};
}

void InstallProblemSink(Fallward::ProblemMode mode) {
    switch (mode) {
        case Fallward::ProblemMode::Box:
            ZELM::SetProblemSink(Windows::ShowProblemBox);
            break;
        case Fallward::ProblemMode::Stderr:
            ZELM::SetProblemSink(ZELM::WriteProblemToStderr);
            break;
        case Fallward::ProblemMode::Fatal:
            ZELM::SetProblemSink([](const ZELM::Problem& problem) {
                ZELM::WriteProblemToStderr(problem);
                std::_Exit(3);
                return ZELM::ProblemChoice::Continue;
            });
            break;
    }
}

void OnSignal(int) { ZELM::Engine::RequestQuit(); }

// The lines the text layer shows, without the blank ones (the debug line is a space when off).
std::vector<std::string> ShownTexts(const Graphics::TextLayer& layer) {
    std::vector<std::string> shown;
    for (const Graphics::Text* line : layer.GetLines()) {
        if (line->text.find_first_not_of(' ') != std::string::npos) {
            shown.push_back(line->text);
        }
    }
    return shown;
}

// What stops one of the player's own levels being played, as the list of them shows it: the
// checker's first problem without its file and line, "" when there is none.
std::string PlayerLevelProblem(const std::string& level) {
    static const Fallward::LevelChecker::ComponentTypes types = Fallward::LevelChecker::RegisteredTypes();
    Fallward::LevelChecker checker(types, Fallward::LevelChecker::PlayerFolders());
    checker.CheckLevel(ZELM::PlayerLevels::StemOf(level));
    if (checker.GetProblems().empty()) {
        return {};
    }
    const std::string& first = checker.GetProblems().front();
    const std::size_t line = first.find(".xml:");
    const std::size_t message = line == std::string::npos ? std::string::npos : first.find(": ", line + 5);
    return message == std::string::npos ? first : first.substr(message + 2);
}

// Starts the services for their component types, checks the levels and prints each problem.
int CheckLevels(ZELM::Engine& engine, const std::vector<std::string>& names) {
    engine.StartServices();
    Fallward::LevelChecker checker(Fallward::LevelChecker::RegisteredTypes());
    checker.CheckLevels(names);
    for (const std::string& problem : checker.GetProblems()) {
        std::printf("%s\n", problem.c_str());
    }
    ZELM::Engine::DestroyInstance();
    return checker.GetProblems().empty() ? 0 : 1;
}

// Starts the services for their component types and prints the reference of every type.
int ListComponents(ZELM::Engine& engine) {
    engine.StartServices();
    std::printf("%s", Fallward::ComponentReference::Write().c_str());
    ZELM::Engine::DestroyInstance();
    return 0;
}

Fallward::NetTrace NetState(const Networking::NetworkManager& network) {
    Fallward::NetTrace net;
    net.allow = network.IsCommunicationAllowed();
    net.hosting = network.IsHosting();
    net.connected = network.IsConnected();
    net.association = network.GetGlobalAssociation();
    net.sent = network.GetSentMessages();
    net.received = network.GetReceivedMessages();
    net.hasRemote = network.GetRemotePosition(net.remoteX, net.remoteY);
    return net;
}

Fallward::EditorTrace EditorState(LevelEditor::LevelEditorService& editor) {
    static const char* const kModes[] = {"play", "editor", "tile"};
    Fallward::EditorTrace state;
    state.mode = kModes[editor.GetMode()];
    state.tileId = editor.GetSelection();
    state.tileName = editor.GetSelectionName();
    state.open = editor.GetOpenMenus();
    state.undo = editor.GetHistory().UndoCount();
    state.redo = editor.GetHistory().RedoCount();
    return state;
}

// "fallward 0.10.0", as a pack records the game that wrote it.
std::string VersionName() {
    std::string version = Fallward::LaunchVersion();
    while (!version.empty() && version.back() == '\n') {
        version.pop_back();
    }
    return version;
}

// --export-level: no window and no services, only the data directory's paths.
int ExportLevel(const Fallward::LaunchOptions& options, const std::string& file) {
    ZELM::PathTable::Instance().Read("manifest.txt");
    const Sharing::LevelPackExport exporter(VersionName(), options.author);
    std::string problem;
    if (!exporter.Write(options.exportLevel, file, problem)) {
        std::fprintf(stderr, "fallward: cannot export \"%s\": %s\n", options.exportLevel.c_str(),
                     problem.c_str());
        return 2;
    }
    std::printf("fallward: wrote %s to %s\n",
                ZELM::PlayerLevels::LevelName(ZELM::PlayerLevels::StemOf(options.exportLevel)).c_str(),
                file.c_str());
    return 0;
}

// Installs a shared level file, checked against the component types of the services started.
// Only a player at a display is asked before anything is replaced; any other run replaces only
// when told to (--replace).
Sharing::LevelPackImport::Result ImportSharedLevel(const std::string& file, bool canAsk, bool replace) {
    static const Fallward::LevelChecker::ComponentTypes types = Fallward::LevelChecker::RegisteredTypes();
    const auto mayReplace = [canAsk, replace](const std::string& question) {
        return replace || (canAsk && Windows::AskYesNo("Replace a level?", question));
    };
    return Sharing::LevelPackImport(types).Import(file, mayReplace);
}

// The import and export the player's levels menu and the editor call while the game runs.
void ConnectSharing(Logic::MyLevelsFlow& myLevels, bool canAsk) {
    myLevels.SetImport([canAsk](const std::string& file, std::string& level) {
        const Sharing::LevelPackImport::Result result = ImportSharedLevel(file, canAsk, false);
        level = result.levelName;
        switch (result.outcome) {
            case Sharing::LevelPackImport::Outcome::Installed:
                return std::string();
            case Sharing::LevelPackImport::Outcome::Declined:
                return "Nothing was changed: your " + result.levelName + " stays as it was.";
            case Sharing::LevelPackImport::Outcome::Refused:
                break;
        }
        return "Not imported: " + result.message;
    });
    myLevels.SetExport([](const std::string& level, const std::string& file, const std::string& author) {
        std::string problem;
        Sharing::LevelPackExport(VersionName(), author).Write(level, file, problem);
        return problem;
    });
}

// FILE.fwlevel: installs the shared level with the services started, so that the game then starts
// on the player levels' list with it in focus. Returns the exit status when the run must end here,
// else 0.
int ImportLevel(ZELM::Engine& engine, Logic::MyLevelsFlow& myLevels, const Fallward::LaunchOptions& options,
                bool canAsk, const std::string& file) {
    engine.StartServices();
    const Sharing::LevelPackImport::Result result = ImportSharedLevel(file, canAsk, options.replace);
    switch (result.outcome) {
        case Sharing::LevelPackImport::Outcome::Installed:
            std::printf("fallward: installed %s from %s\n", result.levelName.c_str(), file.c_str());
            myLevels.SetFocus(result.levelName);
            return 0;
        case Sharing::LevelPackImport::Outcome::Declined:
            if (canAsk) {
                return 0;  // the player chose to keep the installed level and goes on to play
            }
            std::fprintf(stderr, "fallward: %s (--replace replaces it)\n", result.message.c_str());
            break;
        case Sharing::LevelPackImport::Outcome::Refused:
            std::fprintf(stderr, "fallward: cannot install the shared level %s\n", result.message.c_str());
            Windows::ShowNotice("The level cannot be installed", result.message);
            break;
    }
    ZELM::Engine::DestroyInstance();
    return 2;
}

template <typename T>
void Add(const std::string& qualifiedName, T* service) {
    ZELM::Engine::Instance().AddService(ZELM::ShortName(qualifiedName), service);
}

}  // namespace

int main(int argc, char** argv) {
    Fallward::LaunchOptions options;
    std::string error;
    if (!Fallward::ParseLaunchOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "fallward: %s\n%s", error.c_str(), Fallward::LaunchUsage());
        return 2;
    }
    if (options.checkLevels || options.listComponents) {
        // Checking opens no window, no sound and no box: its reports are its output.
        options.headless = true;
        options.problems = options.problemsGiven ? options.problems : Fallward::ProblemMode::Stderr;
    }
    if (options.showHelp) {
        std::printf("%s", Fallward::LaunchUsage());
        return 0;
    }
    if (options.showVersion) {
        std::printf("%s", Fallward::LaunchVersion());
        return 0;
    }

    // Files named on the command line are relative to where the game was started, not to the data.
    std::error_code ignored;
    const std::string execFile =
        options.execFile.empty() ? std::string() : fs::absolute(options.execFile, ignored).string();
    const std::string traceFile =
        options.traceFile.empty() ? std::string() : fs::absolute(options.traceFile, ignored).string();
    const std::string inputScript =
        options.inputScript.empty() ? std::string() : fs::absolute(options.inputScript, ignored).string();
    for (Fallward::ScreenshotRequest& screenshot : options.screenshots) {
        screenshot.file = fs::absolute(screenshot.file, ignored).string();
    }
    const std::string recordFile =
        options.recordFile.empty() ? std::string() : fs::absolute(options.recordFile, ignored).string();
    const std::string exportFile =
        options.exportFile.empty() ? std::string() : fs::absolute(options.exportFile, ignored).string();
    const std::string importFile =
        options.importFile.empty() ? std::string() : fs::absolute(options.importFile, ignored).string();
    Input::ReplayFile replay;
    std::string replayError;
    if (!options.replayFile.empty() &&
        !Input::ReplayService::LoadForPlaying(options.replayFile, Fallward::LaunchVersion(), replay, replayError)) {
        std::fprintf(stderr, "fallward: cannot play the replay \"%s\": %s\n", options.replayFile.c_str(), replayError.c_str());
        return 2;
    }
    options.level = replay.frameTimes.empty() ? options.level : replay.start;
    const BundledData bundled =
        options.dataDirectory.empty() ? FindBundledData() : BundledData{options.dataDirectory};
    const std::string& data = bundled.working;
    if (chdir(data.c_str()) != 0) {
        std::fprintf(stderr, "fallward: cannot use the data directory \"%s\"\n", data.c_str());
        return 2;
    }
    if (bundled.installed) {
        // The installed tree may be read-only: the player's saves live under the XDG data directory.
        ZELM::PathTable::Instance().SetUserRoot(ZELM::UserDataDirectory());
    }
    if (!options.exportLevel.empty()) {
        return ExportLevel(options, exportFile);
    }
    if (!importFile.empty() && options.level.empty()) {
        ZELM::PathTable::Instance().Read("manifest.txt");
        if (fs::is_regular_file(ZELM::PathTable::Instance().Find("Levels", "MyLevels.xml"), ignored)) {
            // The player levels' screen, where the level just installed is listed.
            options.level = "MyLevels";
        }
    }
    if (!options.checkLevels && !options.listComponents) {
        // Data that cannot give a first level is refused like a bad argument, before any window
        // opens: the game would otherwise show an empty screen that no key leaves.
        const std::string problem =
            ZELM::FindStartProblem(data, ZELM::PathTable::Instance().GetUserRoot(), options.level);
        if (!problem.empty()) {
            std::fprintf(stderr, "fallward: %s\n", problem.c_str());
            return 2;
        }
    }
    InstallProblemSink(options.problems);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    Add("Windows::WindowsService", new Windows::WindowsService(options.headless));
    auto* logic = new Logic::LogicService();
    logic->KeepPlayerFiles();
    logic->GetMyLevels().SetCheck(&PlayerLevelProblem);
    // Only a player at a display is asked before a level is replaced.
    const bool canAsk = !options.headless && options.problems == Fallward::ProblemMode::Box;
    ConnectSharing(logic->GetMyLevels(), canAsk);
    Add("Logic::LogicService", logic);
    Add("Kestrin::PhysicsService", new Kestrin::PhysicsService());
    auto* graphics = new Graphics::GraphicsService(options.headless);
    graphics->SetStartFullscreen(options.fullscreen);
    for (const Fallward::ScreenshotRequest& screenshot : options.screenshots) {
        graphics->AddScreenshot(screenshot.frame, screenshot.file);
    }
    if (options.problems != Fallward::ProblemMode::Box) {
        // Runs that report to standard error must never wait on a box.
        graphics->SetMessageBox([](const std::string& title, const std::string& text) {
            std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
        });
    }
    Add("Graphics::GraphicsService", graphics);
    auto* editor = new LevelEditor::LevelEditorService();
    Add("LevelEditor::LevelEditorService", editor);
    auto* input = new Input::InputService(options.headless, inputScript);
    if (!replay.frameTimes.empty()) {
        input->UseScriptText(replay.WriteInputScript());
        input->PlayScriptByTick();
    }
    Add("Input::InputService", input);
    Add("Audio::AudioService", new Audio::AudioService(options.headless));
    auto* network = new Networking::NetworkManager(options.netInterface);
    if (options.problems != Fallward::ProblemMode::Box) {
        network->SetMessageBox([](const std::string& title, const std::string& text) {
            std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
        });
    }
    Add("Networking::NetworkManager", network);
    Add("XboxControllerInput", new Input::XboxControllerInput());
    // Last, so each frame it records the input the input service has just sampled.
    auto* replays = new Input::ReplayService(*input, Fallward::LaunchVersion(), recordFile, replay);
    Add("Input::ReplayService", replays);
    if (!replays->CanRecord()) {
        std::fprintf(stderr, "fallward: cannot write the replay \"%s\"\n", recordFile.c_str());
        return 2;
    }

    ZELM::Engine& engine = ZELM::Engine::Instance();
    if (options.checkLevels) {
        return CheckLevels(engine, options.levelsToCheck);
    }
    if (options.listComponents) {
        return ListComponents(engine);
    }
    if (!importFile.empty()) {
        if (const int status = ImportLevel(engine, logic->GetMyLevels(), options, canAsk, importFile);
            status != 0) {
            return status;
        }
    }
    engine.AddAssetLoader("png", new Graphics::TextureLoader());
    engine.AddAssetLoader("PNG", new Graphics::TextureLoader());
    engine.SetFixedFrameTime(options.fixedDt);
    if (replay.frameTimes.empty()) {
        engine.SetFrameLimit(options.frames);
    } else {
        // At its own frame times the replay's frames are the run; on a display of another rate
        // (--fixed-dt) its ticks are.
        if (options.fixedDt < 0.0f) {
            engine.SetFrameLimit(static_cast<int>(replay.frameTimes.size()));
            engine.SetFrameTimes(replay.frameTimes);
        } else {
            engine.SetTickLimit(std::max(1, replay.TotalTicks()));
        }
    }
    engine.SetStartLevel(options.level);
    engine.SetExecFile(execFile);

    Fallward::TraceWriter trace;
    if (!traceFile.empty()) {
        if (!trace.Open(traceFile)) {
            std::fprintf(stderr, "fallward: cannot write the trace \"%s\"\n", traceFile.c_str());
            return 2;
        }
        engine.SetFrameObserver([&trace, &engine, logic, graphics, network, editor] {
            const Fallward::NetTrace net = NetState(*network);
            const Fallward::EditorTrace edits = EditorState(*editor);
            trace.WriteFrame(engine.GetFrameCount(), engine.GetTickCount(), engine.GetDt(), engine.GetLevelName(), *logic,
                             ShownTexts(graphics->GetTextLayer()), &net, &edits);
        });
    }
    engine.Run();
    return 0;
}
