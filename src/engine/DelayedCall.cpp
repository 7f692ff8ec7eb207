// Firing a delayed call.
#include "engine/DelayedCall.h"

#include "utilities/MethodTable.h"

namespace ZELM {

DelayedCall::DelayedCall(std::weak_ptr<MethodTable> table, MethodName method, ArgumentList arguments,
                         float delayMs)
    : table(std::move(table)), method(std::move(method)), arguments(std::move(arguments)), remaining(delayMs) {}

bool DelayedCall::Advance(float dtMs) {
    remaining -= dtMs;
    return remaining <= 0.0f;
}

void DelayedCall::Fire() {
    const std::shared_ptr<MethodTable> methods = table.lock();
    if (!methods) {
        return;
    }
    // Indexed, and looked up again each time: a delegate may bind or withdraw methods of this name.
    for (std::size_t i = 0;; ++i) {
        const auto* delegates = methods->deferred.Find(method);
        if (delegates == nullptr || i >= delegates->size()) {
            return;
        }
        Delegate* delegate = (*delegates)[i].get();
        delegate->CompareAndInvoke(arguments);
    }
}

}  // namespace ZELM
