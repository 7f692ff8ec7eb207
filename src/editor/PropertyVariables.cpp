// Property variables: the bar reads and writes the property's value through typed callbacks.
#include "editor/PropertyVariables.h"

#include "engine/PropertyImpl.h"
#include "utilities/DynamicBinder.h"

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
void AddVariable(TwBar* bar, ZELM::Property& property, ETwType type, const std::string& name, const std::string& def) {
    TwAddVarCB(bar, name.c_str(), type, property.IsComputed() ? nullptr : &SetValue<T>, &GetValue<T>, &property,
               def.c_str());
}

}  // namespace

void AddPropertyVariables(TwBar* bar, ZELM::DynamicBinder& owner, const std::string& prefix,
                          const std::string& groupDefinition) {
    for (const auto& property : owner.GetProperties()) {
        const std::string name = prefix + "Prop" + property->GetName();
        const std::string placing = " label='" + property->GetName() + "' group='" + prefix + "'";
        switch (property->GetTypeCode()) {
            case 0:
                AddVariable<int>(bar, *property, TW_TYPE_INT32, name, placing);
                break;
            case 1:
                AddVariable<unsigned>(bar, *property, TW_TYPE_UINT32, name, placing);
                break;
            case 4:
                AddVariable<bool>(bar, *property, TW_TYPE_BOOLCPP, name, placing);
                break;
            case 5:
                AddVariable<float>(bar, *property, TW_TYPE_FLOAT, name, " step=0.1 precision=2 " + placing);
                break;
            case 7:
                AddVariable<std::string>(bar, *property, TW_TYPE_STDSTRING, name, placing);
                break;
            default:
                continue;  // a type the bars cannot show
        }
        if (!groupDefinition.empty()) {
            TwDefine(groupDefinition.c_str());
        }
    }
}

}  // namespace LevelEditor
