// The bars and definition statements.
#include "editor/tweakbar/BarRegistry.h"

#include <algorithm>

#include "editor/tweakbar/DefinitionParser.h"
#include "editor/tweakbar/ValueText.h"

namespace Tweak {

namespace {

// A definition of thousands of bad lines would otherwise make an error text as long as itself.
constexpr std::size_t kMaxErrorLength = 4096;

std::string JoinErrors(const std::vector<std::string>& errors) {
    std::string joined;
    for (const std::string& error : errors) {
        if (joined.size() + error.size() > kMaxErrorLength) {
            return joined + "; ...";
        }
        joined += (joined.empty() ? "" : "; ") + error;
    }
    return joined;
}

std::string AtLine(const DefinitionStatement& statement, const std::string& message) {
    return "line " + std::to_string(statement.line) + ": " + message;
}

}  // namespace

Bar* BarRegistry::NewBar(const std::string& name, std::string& error) {
    if (!IsAcceptableName(name)) {
        error = "unacceptable bar name (empty, longer than " + std::to_string(kMaxNameLength) +
                " or with control characters)";
        return nullptr;
    }
    if (name == kGlobalTarget) {
        error = std::string("'") + kGlobalTarget + "' is reserved for attributes of all bars";
        return nullptr;
    }
    if (Find(name) != nullptr) {
        error = "a bar named '" + name + "' already exists";
        return nullptr;
    }
    bars_.push_back(std::make_unique<Bar>(name, ++lastSerial_));
    return bars_.back().get();
}

bool BarRegistry::DeleteBar(const Bar* bar) {
    const auto found = std::find_if(bars_.begin(), bars_.end(),
                                    [bar](const std::unique_ptr<Bar>& own) { return own.get() == bar; });
    if (found == bars_.end()) {
        return false;
    }
    bars_.erase(found);
    return true;
}

Bar* BarRegistry::Find(const std::string& name) const {
    for (const auto& bar : bars_) {
        if (bar->Name() == name) {
            return bar.get();
        }
    }
    return nullptr;
}

Bar* BarRegistry::FindBySerial(unsigned serial) const {
    for (const auto& bar : bars_) {
        if (bar->Serial() == serial) {
            return bar.get();
        }
    }
    return nullptr;
}

Bar* BarRegistry::FindByAddress(const void* address) const {
    for (const auto& bar : bars_) {
        if (bar.get() == address) {
            return bar.get();
        }
    }
    return nullptr;
}

bool BarRegistry::Define(std::string_view text, std::string& error) {
    std::vector<std::string> errors;
    for (const DefinitionStatement& statement :
         DefinitionParser::Parse(text, DefinitionParser::Targets::Named, errors)) {
        Apply(statement, errors);
    }
    error = JoinErrors(errors);
    return errors.empty();
}

bool BarRegistry::DefineEntry(Bar& bar, Entry& entry, std::string_view text, std::string& error) {
    std::vector<std::string> errors;
    for (const DefinitionStatement& statement :
         DefinitionParser::Parse(text, DefinitionParser::Targets::Implied, errors)) {
        ApplyToEntry(bar, entry, statement, errors);
    }
    error = JoinErrors(errors);
    return errors.empty();
}

void BarRegistry::Apply(const DefinitionStatement& statement, std::vector<std::string>& errors) {
    std::string error;
    if (statement.barName == kGlobalTarget && statement.entryName.empty()) {
        for (const auto& [name, value] : statement.attributes) {
            if (!globals_.Store(name, value, error)) {
                errors.push_back(AtLine(statement, error));
            }
        }
        return;
    }
    Bar* bar = Find(statement.barName);
    if (bar == nullptr) {
        errors.push_back(AtLine(statement, "no bar named '" + statement.barName + "'"));
        return;
    }
    if (!statement.entryName.empty()) {
        Entry* entry = bar->Entries().Find(statement.entryName);
        if (entry == nullptr) {
            errors.push_back(AtLine(
                statement, "bar '" + bar->Name() + "' has no entry named '" + statement.entryName + "'"));
            return;
        }
        ApplyToEntry(*bar, *entry, statement, errors);
        return;
    }
    for (const auto& [name, value] : statement.attributes) {
        if (!bar->SetAttribute(name, value, error)) {
            errors.push_back(AtLine(statement, error));
        }
    }
}

void BarRegistry::ApplyToEntry(Bar& bar, Entry& entry, const DefinitionStatement& statement,
                               std::vector<std::string>& errors) {
    std::string error;
    for (const auto& [name, value] : statement.attributes) {
        if (!bar.SetEntryAttribute(entry, name, value, error)) {
            errors.push_back(AtLine(statement, error));
        }
    }
}

void BarRegistry::Carry(const PendingAction& action) {
    Bar* bar = FindBySerial(action.barSerial);
    Entry* entry = bar != nullptr ? bar->Entries().Find(action.entryName) : nullptr;
    if (entry == nullptr) {
        return;
    }
    if (action.edit) {
        entry->ApplyEdit(*action.edit);
    } else {
        entry->Press();
    }
}

}  // namespace Tweak
