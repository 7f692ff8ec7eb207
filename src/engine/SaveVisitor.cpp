// Saving a component.
#include "engine/SaveVisitor.h"

#include <string>

namespace ZELM {

void SaveVisitor::Visit(Component& component) {
    if (!component.IsSavedWithTheLevel()) {
        return;
    }
    serializer.BeginElement("Component");
    std::string serviceName = component.GetServiceName();
    std::string typeName = component.GetTypeName();
    serializer.Serialize(serviceName);
    serializer.Serialize(typeName);
    component.VisitProperties(*this);
    serializer.EndElement();
}

}  // namespace ZELM
