// Looking up and invoking methods by name.
#include "utilities/DynamicCaller.h"

#include "engine/DelayedCallQueue.h"
#include "engine/ProblemReport.h"
#include "utilities/MethodTable.h"

namespace ZELM {

void DynamicCaller::CallWith(const MethodName& method, ArgumentList& arguments) {
    // Calls run on the main thread only; the name's lock guards binding.
    Delegate* delegate = nullptr;
    if (methods) {
        if (const auto* found = methods->immediate.Find(method)) {
            delegate = found->get();
        }
    }
    if (delegate == nullptr) {
        ZELM_PROBLEM("ZELM::DynamicCaller::Call", "Could not find any bound method(s) named \"%s\"!",
                     method.GetText().c_str());
        return;
    }
    delegate->CompareAndInvoke(arguments);
}

bool DynamicCaller::IsBound(const MethodName& method) const {
    return methods && methods->immediate.Contains(method);
}

void DynamicCaller::CallAllWith(const MethodName& method, ArgumentList& arguments) {
    if (!methods) {
        return;
    }
    const std::shared_ptr<MethodTable> table = methods;  // the table outlives a callee that removes the name
    auto* delegates = table->broadcast.Find(method);
    if (delegates == nullptr) {
        return;
    }
    // Step past each delegate before invoking it: a callee may withdraw its own binding.
    for (auto it = delegates->begin(); it != delegates->end();) {
        Delegate* delegate = (it++)->get();
        delegate->CompareAndInvoke(arguments);
    }
}

void DynamicCaller::CallLaterWith(const MethodName& method, float delayMs, ArgumentList arguments) {
    if (!methods) {
        SetName(name);
    }
    DelayedCallQueue::Instance().Add(
        std::make_unique<DelayedCall>(methods, method, std::move(arguments), delayMs));
}

}  // namespace ZELM
