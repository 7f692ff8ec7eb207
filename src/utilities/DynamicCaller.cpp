// Looking up and invoking methods by name.
#include "utilities/DynamicCaller.h"

#include "engine/DelayedCallQueue.h"
#include "engine/ProblemReport.h"
#include "utilities/MethodTable.h"

namespace ZELM {

void DynamicCaller::CallWith(const std::string& method, ArgumentList& arguments) {
    // Calls run on the main thread only; the name's lock guards binding.
    Delegate* delegate = nullptr;
    if (methods) {
        const auto found = methods->immediate.find(NormaliseMethodName(method));
        if (found != methods->immediate.end()) {
            delegate = found->second.get();
        }
    }
    if (delegate == nullptr) {
        ZELM_PROBLEM("ZELM::DynamicCaller::Call", "Could not find any bound method(s) named \"%s\"!", method.c_str());
        return;
    }
    if (delegate->Compare(arguments)) {
        delegate->Invoke(arguments);
    }
}

bool DynamicCaller::IsBound(const std::string& method) const {
    return methods && methods->immediate.count(NormaliseMethodName(method)) != 0;
}

void DynamicCaller::CallAllWith(const std::string& method, ArgumentList& arguments) {
    if (!methods) {
        return;
    }
    const std::shared_ptr<MethodTable> table = methods;  // the table outlives a callee that removes the name
    const auto found = table->broadcast.find(NormaliseMethodName(method));
    if (found == table->broadcast.end()) {
        return;
    }
    auto& delegates = found->second;
    // Step past each delegate before invoking it: a callee may withdraw its own binding.
    for (auto it = delegates.begin(); it != delegates.end();) {
        Delegate* delegate = (it++)->get();
        if (delegate->Compare(arguments)) {
            delegate->Invoke(arguments);
        }
    }
}

void DynamicCaller::CallLaterWith(const std::string& method, float delayMs, ArgumentList arguments) {
    if (!methods) {
        SetName(name);
    }
    DelayedCallQueue::Instance().Add(
        std::make_unique<DelayedCall>(methods, NormaliseMethodName(method), std::move(arguments), delayMs));
}

}  // namespace ZELM
