// Creating components by name.
#include "engine/ComponentRegistry.h"

#include <algorithm>

#include "engine/Component.h"
#include "engine/ProblemReport.h"
#include "engine/Service.h"

namespace ZELM {

void ComponentRegistry::Register(const std::string& serviceName, const std::string& typeName,
                                 CreateFunction create) {
    std::lock_guard<std::recursive_mutex> guard(lock);
    const auto key = std::make_pair(serviceName, typeName);
    if (creators.count(key) == 0) {
        items.push_back(RegistryItem{serviceName, typeName});
    }
    creators[key] = std::move(create);
}

Component* ComponentRegistry::Create(const std::string& serviceName, const std::string& typeName) {
    std::lock_guard<std::recursive_mutex> guard(lock);
    const auto found = creators.find(std::make_pair(serviceName, typeName));
    if (found == creators.end()) {
        ZELM_PROBLEM("ZELM::ComponentRegistry::Create", "No component type \"%s\" is registered for service \"%s\"!",
                     typeName.c_str(), serviceName.c_str());
        return nullptr;
    }
    Component* component = found->second();
    component->SetTypeName(typeName);
    component->SetServiceName(serviceName);
    Service* service = FindService(serviceName);
    if (service == nullptr) {
        ZELM_PROBLEM("ZELM::ComponentRegistry::Create",
                     "No service named \"%s\" is running; component \"%s\" will not be updated!",
                     serviceName.c_str(), typeName.c_str());
    }
    component->SetParentService(service);
    return component;
}

Service* ComponentRegistry::FindService(const std::string& serviceName) const {
    if (services == nullptr) {
        return nullptr;
    }
    for (const auto& service : *services) {
        if (service->GetServiceName() == serviceName) {
            return service.get();
        }
    }
    return nullptr;
}

void ComponentRegistry::VisitItems(IVisitor<RegistryItem>& visitor) {
    std::lock_guard<std::recursive_mutex> guard(lock);
    for (RegistryItem& item : items) {
        visitor.Visit(item);
    }
}

}  // namespace ZELM
