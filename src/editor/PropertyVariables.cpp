// Property variables: the bar reads and writes the property's value through typed callbacks.
#include "editor/PropertyVariables.h"

#include "engine/PropertyImpl.h"
#include "utilities/DynamicBinder.h"
#include "utilities/DynamicCaller.h"

namespace LevelEditor {
namespace {

template <typename T>
void GetValue(void* value, void* property) {
    *static_cast<T*>(value) = static_cast<ZELM::PropertyImpl<T>*>(property)->GetValue();
}

template <typename T>
void SetValue(const void* value, void* property) {
    static_cast<ZELM::PropertyImpl<T>*>(property)->SetValue(*static_cast<const T*>(value));
}

template <typename T>
void GetAnnouncedValue(void* value, void* record) {
    GetValue<T>(value, static_cast<AnnouncedProperty*>(record)->property);
}

template <typename T>
void SetAnnouncedValue(const void* value, void* record) {
    auto* announced = static_cast<AnnouncedProperty*>(record);
    if (announced->announcer->IsBound("BeginEdit")) {
        announced->announcer->Call("BeginEdit", announced->description);
    }
    SetValue<T>(value, announced->property);
}

// Where the variables of one owner go, and what their callbacks are given.
struct Placement {
    std::vector<std::unique_ptr<AnnouncedProperty>>* records = nullptr;
    ZELM::DynamicCaller* announcer = nullptr;
    std::string target;
};

template <typename T>
void AddVariable(TwBar* bar, ZELM::Property& property, ETwType type, const std::string& name,
                 const std::string& def, const Placement& placement) {
    if (placement.records == nullptr) {
        TwAddVarCB(bar, name.c_str(), type, property.IsComputed() ? nullptr : &SetValue<T>, &GetValue<T>,
                   &property, def.c_str());
        return;
    }
    placement.records->push_back(std::make_unique<AnnouncedProperty>(AnnouncedProperty{
        &property, "set " + property.GetName() + " of " + placement.target, placement.announcer}));
    TwAddVarCB(bar, name.c_str(), type, property.IsComputed() ? nullptr : &SetAnnouncedValue<T>,
               &GetAnnouncedValue<T>, placement.records->back().get(), def.c_str());
}

void AddVariables(TwBar* bar, ZELM::DynamicBinder& owner, const std::string& prefix,
                  const std::string& groupDefinition, const Placement& placement) {
    for (const auto& property : owner.GetProperties()) {
        const std::string name = prefix + "Prop" + property->GetName();
        const std::string placing = " label='" + property->GetName() + "' group='" + prefix + "'";
        switch (property->GetTypeCode()) {
            case 0:
                AddVariable<int>(bar, *property, TW_TYPE_INT32, name, placing, placement);
                break;
            case 1:
                AddVariable<unsigned>(bar, *property, TW_TYPE_UINT32, name, placing, placement);
                break;
            case 4:
                AddVariable<bool>(bar, *property, TW_TYPE_BOOLCPP, name, placing, placement);
                break;
            case 5:
                AddVariable<float>(bar, *property, TW_TYPE_FLOAT, name, " step=0.1 precision=2 " + placing,
                                   placement);
                break;
            case 7:
                AddVariable<std::string>(bar, *property, TW_TYPE_STDSTRING, name, placing, placement);
                break;
            default:
                continue;  // a type the bars cannot show
        }
        if (!groupDefinition.empty()) {
            TwDefine(groupDefinition.c_str());
        }
    }
}

}  // namespace

void AddPropertyVariables(TwBar* bar, ZELM::DynamicBinder& owner, const std::string& prefix,
                          const std::string& groupDefinition) {
    AddVariables(bar, owner, prefix, groupDefinition, Placement());
}

void AddAnnouncedPropertyVariables(TwBar* bar, ZELM::DynamicBinder& owner, const std::string& prefix,
                                   const std::string& groupDefinition, const std::string& target,
                                   ZELM::DynamicCaller& announcer,
                                   std::vector<std::unique_ptr<AnnouncedProperty>>& records) {
    AddVariables(bar, owner, prefix, groupDefinition, Placement{&records, &announcer, target});
}

}  // namespace LevelEditor
