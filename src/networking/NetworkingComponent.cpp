// The race player's link to the network manager.
#include "networking/NetworkingComponent.h"

#include "engine/Entity.h"

namespace Networking {

unsigned* NetworkingComponent::GetAssociation() {
    if (!GetOwner().IsAlive() || !IsBound("GetGravityAssociationPointer")) {
        return nullptr;
    }
    return Call<unsigned*>("GetGravityAssociationPointer");
}

bool NetworkingComponent::IsRemote() const {
    const ZELM::Entity* entity = GetOwner().GetIfAlive();
    return entity != nullptr && entity->GetComponent("NetworkInput") != nullptr;
}

}  // namespace Networking
