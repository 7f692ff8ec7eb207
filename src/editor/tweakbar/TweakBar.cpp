// The C API over the bar registry and the ImGui session.
#include "editor/tweakbar/TweakBar.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "editor/tweakbar/BarRegistry.h"
#include "editor/tweakbar/DefinitionParser.h"
#include "editor/tweakbar/ImGuiSession.h"
#include "editor/tweakbar/ValueText.h"

namespace {

using Tweak::Bar;
using Tweak::Entry;

// TwSetParam takes at most this many numbers; no attribute has more than three.
constexpr unsigned kMaxParamValues = 4;

struct Library {
    Tweak::BarRegistry bars;
    std::unique_ptr<Tweak::ImGuiSession> session;
    std::string lastError;
    int width = 0;
    int height = 0;
    // Set while get callbacks run, so one of them cannot change the bars being walked.
    bool drawing = false;
};

// Never destroyed: at exit the GL context the session would shut down with may be gone already.
Library& State() {
    static Library* const library = new Library();
    return *library;
}

int Fail(std::string message) {
    State().lastError = std::move(message);
    return 0;
}

// Starts each call that can fail: its error replaces the last one, and success leaves none.
bool StartCall(bool changesBars) {
    Library& state = State();
    state.lastError.clear();
    if (changesBars && state.drawing) {
        Fail("bars cannot be changed from a get callback while they are drawn");
        return false;
    }
    return true;
}

// A C string read no further than maxLength + 1 characters, so an unterminated one cannot run on.
bool ReadText(const char* text, std::size_t maxLength, const char* what, std::string_view& out) {
    if (text == nullptr) {
        Fail(std::string("no ") + what + " (null)");
        return false;
    }
    const std::size_t length = strnlen(text, maxLength + 1);
    if (length > maxLength) {
        Fail(std::string(what) + " longer than " + std::to_string(maxLength) + " characters");
        return false;
    }
    out = std::string_view(text, length);
    return true;
}

TwBar* HandleOf(Bar* bar) {
    return reinterpret_cast<TwBar*>(bar);
}

Bar* BarOf(TwBar* handle) {
    Bar* bar = State().bars.FindByAddress(handle);
    if (bar == nullptr) {
        Fail("not a bar (null, deleted or never made)");
    }
    return bar;
}

// The entry a TwSetParam or TwGetParam names; null for the bar itself (varName null).
bool FindParamTarget(Bar& bar, const char* varName, Entry*& entry) {
    entry = nullptr;
    if (varName == nullptr) {
        return true;
    }
    std::string_view name;
    if (!ReadText(varName, Tweak::kMaxNameLength, "variable name", name)) {
        return false;
    }
    entry = bar.Entries().Find(std::string(name));
    if (entry == nullptr) {
        Fail("bar '" + bar.Name() + "' has no entry named '" + std::string(name) + "'");
        return false;
    }
    return true;
}

bool ReadParamName(const char* paramName, std::string& name) {
    std::string_view text;
    if (!ReadText(paramName, Tweak::kMaxNameLength, "parameter name", text)) {
        return false;
    }
    if (!Tweak::IsAttributeName(text)) {
        Fail("'" + std::string(text) + "' is not a parameter name");
        return false;
    }
    name = Tweak::Lowercase(text);
    return true;
}

template <typename T>
std::string NumbersText(const void* values, unsigned count) {
    std::string text;
    for (unsigned i = 0; i < count; ++i) {
        const double value = static_cast<double>(static_cast<const T*>(values)[i]);
        text += (i == 0 ? "" : " ") + Tweak::NumberText(value);
    }
    return text;
}

// TwSetParam's values as the text a definition would give them.
bool ParamValuesText(ETwParamValueType type, unsigned count, const void* values, std::string& text) {
    if (values == nullptr) {
        return Fail("no values (null)");
    }
    if (type == TW_PARAM_CSTRING) {
        std::string_view value;
        if (!ReadText(static_cast<const char*>(values), Tweak::kMaxValueLength, "parameter value", value)) {
            return false;
        }
        text = std::string(value);
        return true;
    }
    if (count == 0 || count > kMaxParamValues) {
        return Fail("between 1 and " + std::to_string(kMaxParamValues) + " values are taken, not " +
                    std::to_string(count));
    }
    switch (type) {
        case TW_PARAM_INT32:
            text = NumbersText<std::int32_t>(values, count);
            return true;
        case TW_PARAM_FLOAT:
            text = NumbersText<float>(values, count);
            return true;
        case TW_PARAM_DOUBLE:
            text = NumbersText<double>(values, count);
            return true;
        default:
            return Fail("unknown parameter value type");
    }
}

// Numbers of an attribute's text, true and false counting as 1 and 0.
bool ReadNumbers(const std::string& text, std::vector<double>& numbers) {
    std::size_t start = text.find_first_not_of(' ');
    while (start != std::string::npos) {
        const std::size_t end = text.find(' ', start);
        const std::string word =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        double number = 0.0;
        bool flag = false;
        if (Tweak::ParseNumber(word, number)) {
            numbers.push_back(number);
        } else if (Tweak::ParseBool(word, flag)) {
            numbers.push_back(flag ? 1.0 : 0.0);
        } else {
            return false;
        }
        start = text.find_first_not_of(' ', end == std::string::npos ? text.size() : end);
    }
    return !numbers.empty();
}

std::int32_t ToInt32(double value) {
    if (value <= INT32_MIN) {
        return INT32_MIN;
    }
    if (value >= INT32_MAX) {
        return INT32_MAX;
    }
    return static_cast<std::int32_t>(value);
}

int WriteParamValues(const std::string& text, ETwParamValueType type, unsigned maxCount, void* out) {
    if (type == TW_PARAM_CSTRING) {
        const std::size_t length = std::min<std::size_t>(text.size(), maxCount - 1);
        std::memcpy(out, text.data(), length);
        static_cast<char*>(out)[length] = '\0';
        return 1;
    }
    std::vector<double> numbers;
    if (!ReadNumbers(text, numbers)) {
        return Fail("the value '" + text + "' is not made of numbers");
    }
    const unsigned count = static_cast<unsigned>(std::min<std::size_t>(numbers.size(), maxCount));
    for (unsigned i = 0; i < count; ++i) {
        if (type == TW_PARAM_INT32) {
            static_cast<std::int32_t*>(out)[i] = ToInt32(numbers[i]);
        } else if (type == TW_PARAM_FLOAT) {
            static_cast<float*>(out)[i] = static_cast<float>(numbers[i]);
        } else if (type == TW_PARAM_DOUBLE) {
            static_cast<double*>(out)[i] = numbers[i];
        } else {
            return Fail("unknown parameter value type");
        }
    }
    return static_cast<int>(count);
}

// The def of an Add call, once its entry is in the bar.
int DefineNewEntry(Bar& bar, Entry& entry, const char* def) {
    if (def == nullptr) {
        return 1;
    }
    std::string_view text;
    if (!ReadText(def, Tweak::DefinitionParser::kMaxDefinitionLength, "definition", text)) {
        return 0;
    }
    std::string error;
    if (!Tweak::BarRegistry::DefineEntry(bar, entry, text, error)) {
        return Fail(error);
    }
    return 1;
}

// The entry of an Add call, with its def.
int AddEntry(TwBar* handle, std::unique_ptr<Entry> made, const char* def) {
    Bar* bar = BarOf(handle);
    if (bar == nullptr) {
        return 0;
    }
    std::string error;
    Entry* entry = bar->Entries().Add(std::move(made), error);
    if (entry == nullptr) {
        return Fail("bar '" + bar->Name() + "': " + error);
    }
    return DefineNewEntry(*bar, *entry, def);
}

// Names of the Add calls, read with a bound; null reads as empty, which only separators accept.
bool ReadEntryName(const char* name, std::string& out) {
    std::string_view text;
    if (name != nullptr && !ReadText(name, Tweak::kMaxNameLength, "entry name", text)) {
        return false;
    }
    out = std::string(text);
    return true;
}

}  // namespace

int TwInit(ETwGraphAPI graphAPI, void* device) {
    if (!StartCall(true)) {
        return 0;
    }
    Library& state = State();
    if (state.session) {
        return Fail("already initialised; call TwTerminate first");
    }
    if (graphAPI != TW_OPENGL_CORE) {
        return Fail("only TW_OPENGL_CORE is supported");
    }
    // Compared, never dereferenced: device may be anything the caller passed.
    if (device == nullptr || SDL_GL_GetCurrentWindow() != device) {
        return Fail("device must be the SDL window whose OpenGL context is current");
    }
    std::string error;
    state.session = Tweak::ImGuiSession::Start(static_cast<SDL_Window*>(device), error);
    if (!state.session) {
        return Fail(error);
    }
    state.session->SetDisplaySize(state.width, state.height);
    return 1;
}

int TwTerminate() {
    if (!StartCall(true)) {
        return 0;
    }
    Library& state = State();
    state.session.reset();
    state.bars.Clear();
    return 1;
}

int TwDraw() {
    Library& state = State();
    if (!state.session || state.drawing) {
        return 0;
    }
    state.drawing = true;
    const std::vector<Tweak::PendingAction> actions = state.session->DrawFrame(state.bars);
    state.drawing = false;
    // Each looks its bar up again: the callback before it may have deleted it, or called TwTerminate.
    for (const Tweak::PendingAction& action : actions) {
        state.bars.Carry(action);
    }
    return 1;
}

int TwWindowSize(int width, int height) {
    if (!StartCall(false)) {
        return 0;
    }
    if (width < 0 || height < 0) {
        return Fail("negative window size");
    }
    Library& state = State();
    state.width = width;
    state.height = height;
    if (state.session) {
        state.session->SetDisplaySize(width, height);
    }
    return 1;
}

TwBar* TwNewBar(const char* barName) {
    std::string_view name;
    if (!StartCall(true) || !ReadText(barName, Tweak::kMaxNameLength, "bar name", name)) {
        return nullptr;
    }
    std::string error;
    Bar* bar = State().bars.NewBar(std::string(name), error);
    if (bar == nullptr) {
        Fail(error);
    }
    return HandleOf(bar);
}

int TwDeleteBar(TwBar* handle) {
    if (!StartCall(true)) {
        return 0;
    }
    Bar* bar = BarOf(handle);
    return bar != nullptr && State().bars.DeleteBar(bar) ? 1 : 0;
}

TwBar* TwGetBarByName(const char* barName) {
    std::string_view name;
    if (!StartCall(false) || !ReadText(barName, Tweak::kMaxNameLength, "bar name", name)) {
        return nullptr;
    }
    Bar* bar = State().bars.Find(std::string(name));
    if (bar == nullptr) {
        Fail("no bar named '" + std::string(name) + "'");
    }
    return HandleOf(bar);
}

int TwDefine(const char* def) {
    std::string_view text;
    if (!StartCall(true) ||
        !ReadText(def, Tweak::DefinitionParser::kMaxDefinitionLength, "definition", text)) {
        return 0;
    }
    std::string error;
    return State().bars.Define(text, error) ? 1 : Fail(error);
}

int TwAddVarCB(TwBar* bar, const char* name, ETwType type, TwSetVarCallback setCallback,
               TwGetVarCallback getCallback, void* clientData, const char* def) {
    std::string entryName;
    if (!StartCall(true) || !ReadEntryName(name, entryName)) {
        return 0;
    }
    if (!Tweak::VariableBinding::Supports(type)) {
        return Fail("variable '" + entryName + "': unsupported type " +
                    std::to_string(static_cast<long>(type)));
    }
    if (getCallback == nullptr) {
        return Fail("variable '" + entryName + "' has no get callback");
    }
    const Tweak::VariableBinding binding(type, setCallback, getCallback, clientData);
    return AddEntry(bar, Entry::MakeVariable(entryName, binding), def);
}

int TwAddButton(TwBar* bar, const char* name, TwButtonCallback callback, void* clientData, const char* def) {
    std::string entryName;
    if (!StartCall(true) || !ReadEntryName(name, entryName)) {
        return 0;
    }
    return AddEntry(bar, Entry::MakeButton(entryName, callback, clientData), def);
}

int TwAddSeparator(TwBar* bar, const char* name, const char* def) {
    std::string entryName;
    if (!StartCall(true) || !ReadEntryName(name, entryName)) {
        return 0;
    }
    return AddEntry(bar, std::make_unique<Entry>(Entry::Kind::Separator, entryName), def);
}

int TwSetParam(TwBar* handle, const char* varName, const char* paramName, ETwParamValueType paramValueType,
               unsigned int inValueCount, const void* inValues) {
    if (!StartCall(true)) {
        return 0;
    }
    Bar* bar = BarOf(handle);
    Entry* entry = nullptr;
    std::string name;
    std::string value;
    if (bar == nullptr || !FindParamTarget(*bar, varName, entry) || !ReadParamName(paramName, name) ||
        !ParamValuesText(paramValueType, inValueCount, inValues, value)) {
        return 0;
    }
    std::string error;
    const bool done = entry != nullptr ? bar->SetEntryAttribute(*entry, name, value, error)
                                       : bar->SetAttribute(name, value, error);
    return done ? 1 : Fail(error);
}

int TwGetParam(TwBar* handle, const char* varName, const char* paramName, ETwParamValueType paramValueType,
               unsigned int outValueMaxCount, void* outValues) {
    if (!StartCall(false)) {
        return 0;
    }
    Bar* bar = BarOf(handle);
    Entry* entry = nullptr;
    std::string name;
    if (bar == nullptr || !FindParamTarget(*bar, varName, entry) || !ReadParamName(paramName, name)) {
        return 0;
    }
    if (outValues == nullptr || outValueMaxCount == 0) {
        return Fail("no room for the values");
    }
    std::string value;
    std::string error;
    const bool found = entry != nullptr ? bar->GetEntryAttribute(*entry, name, value, error)
                                        : bar->GetAttribute(name, value, error);
    return found ? WriteParamValues(value, paramValueType, outValueMaxCount, outValues) : Fail(error);
}

const char* TwGetLastError() {
    return State().lastError.c_str();
}

int TwTextFieldActive() {
    const Library& state = State();
    return state.session && state.session->TypingInField() ? 1 : 0;
}

int TwEventSDL(const void* sdlEvent, unsigned char sdlMajorVersion, unsigned char /*sdlMinorVersion*/) {
    Library& state = State();
    if (sdlEvent == nullptr || sdlMajorVersion != 2 || !state.session || state.drawing) {
        return 0;
    }
    return state.session->ProcessEvent(*static_cast<const SDL_Event*>(sdlEvent)) ? 1 : 0;
}
