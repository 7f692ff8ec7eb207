// Fixed gravity zones, and the effect every zone writes into the bodies inside it.
#include "logic/GravityEffectZone.h"

#include "physics/PhysicsComponent.h"

namespace Logic {

void ZoneEffect::Bind(ZELM::DynamicBinder& binder) {
    binder.BindProperty(&x, "X Gravity Effect", false, false);
    binder.BindProperty(&y, "Y Gravity Effect", false, false);
    binder.BindProperty(&magnitude, "Gravity Effect Magnitude", false, false);
    binder.BindProperty(&total, "Gravity Magnitude Total", false, false);
}

void ZoneEffect::ApplyTo(Kestrin::PhysicsComponent* body) const {
    if (body != nullptr) {
        body->SetGravityEffect(x, y, magnitude, total);
    }
}

void GravityEffectZone::Bind() {
    effect.Bind(*this);
    ZELM::DynamicBinder::Bind("AddPhysicsComponentToGravityEffectZone", this,
                              &GravityEffectZone::AddPhysicsComponentToGravityEffectZone);
    ZELM::DynamicBinder::Bind("GetYGravityZoneEffect", this, &GravityEffectZone::GetYGravityZoneEffect);
    ZELM::DynamicBinder::Bind("GetXGravityZoneEffect", this, &GravityEffectZone::GetXGravityZoneEffect);
}

}  // namespace Logic
