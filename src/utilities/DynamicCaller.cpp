// Looking up and invoking methods by name.
#include "utilities/DynamicCaller.h"

#include "engine/DelayedCallQueue.h"
#include "engine/ProblemReport.h"

namespace ZELM {

bool DynamicCaller::RememberImmediate(const MethodName& method) {
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
        return false;
    }
    immediateMemo.generation = MethodTable::Generation();
    immediateMemo.nameId = method.GetId();
    immediateMemo.call = delegate->GetDirectCall();
    return true;
}

bool DynamicCaller::IsBound(const MethodName& method) const {
    return methods && methods->immediate.Contains(method);
}

bool DynamicCaller::RememberOrWalk(BroadcastMemo& memo, const MethodName& method, ArgumentList& arguments) {
    if (!methods) {
        return false;
    }
    const std::shared_ptr<MethodTable> table = methods;  // the table outlives a callee that removes the name
    if (!Remember(memo, *table, method)) {
        WalkFrom(memo.list->begin(), *memo.list, arguments);
        return false;
    }
    return true;
}

bool DynamicCaller::Remember(BroadcastMemo& memo, MethodTable& table, const MethodName& method) {
    memo.nameId = method.GetId();
    memo.generation = MethodTable::Generation();
    memo.count = 0;
    memo.passingKey = nullptr;
    memo.list = table.broadcast.Find(method);
    if (memo.list == nullptr) {
        return true;  // nothing bound under the name: nothing to call
    }
    if (memo.list->size() > BroadcastMemo::kMaxDelegates) {
        memo.generation = 0;  // never current: looked up again next time
        return false;
    }
    for (auto it = memo.list->begin(); it != memo.list->end();) {
        memo.calls[memo.count] = (*it)->GetDirectCall();
        memo.after[memo.count++] = ++it;
    }
    if (memo.count > 0) {
        memo.passingKey = memo.calls[0].parameters;
        for (std::size_t i = 0; i < memo.count; ++i) {
            if (memo.calls[i].passing == nullptr || memo.calls[i].parameters != memo.passingKey) {
                memo.passingKey = nullptr;
            }
        }
    }
    return true;
}

void DynamicCaller::WalkFrom(MethodTable::BroadcastList::iterator next, MethodTable::BroadcastList& list,
                             ArgumentList& arguments) {
    while (next != list.end()) {
        Delegate* delegate = (next++)->get();
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
