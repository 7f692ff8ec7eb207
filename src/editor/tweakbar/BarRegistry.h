// Every bar by name, and definition strings applied to them.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/tweakbar/Bar.h"
#include "editor/tweakbar/DefinitionStatement.h"
#include "editor/tweakbar/ExtraAttributes.h"
#include "editor/tweakbar/PendingAction.h"

namespace Tweak {

class BarRegistry {
public:
    // Reserved for attributes about all bars (font size and the like), which are kept without effect.
    static constexpr const char* kGlobalTarget = "GLOBAL";

    // Null, with a reason, for an unacceptable, reserved or taken name.
    Bar* NewBar(const std::string& name, std::string& error);
    bool DeleteBar(const Bar* bar);
    void Clear() { bars_.clear(); }

    Bar* Find(const std::string& name) const;
    Bar* FindBySerial(unsigned serial) const;
    // The bar at this address, if it is still one of ours: callers may hold handles to deleted bars.
    Bar* FindByAddress(const void* address) const;
    const std::vector<std::unique_ptr<Bar>>& Bars() const { return bars_; }

    // Every statement that can be applied is; false when any could not, with the reasons in error.
    bool Define(std::string_view text, std::string& error);
    // The def of the Add calls: attributes for one entry.
    static bool DefineEntry(Bar& bar, Entry& entry, std::string_view text, std::string& error);

    // Does nothing when the bar or entry has gone in the meantime.
    void Carry(const PendingAction& action);

private:
    void Apply(const DefinitionStatement& statement, std::vector<std::string>& errors);
    static void ApplyToEntry(Bar& bar, Entry& entry, const DefinitionStatement& statement,
                             std::vector<std::string>& errors);

    std::vector<std::unique_ptr<Bar>> bars_;
    ExtraAttributes globals_;
    unsigned lastSerial_ = 0;
};

}  // namespace Tweak
