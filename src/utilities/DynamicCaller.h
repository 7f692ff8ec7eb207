// Calls methods by name in the method table of its binder name: call one, call all, call later.
#pragma once

#include <string>
#include <type_traits>

#include "utilities/ArgumentList.h"
#include "utilities/DynamicBase.h"
#include "utilities/MethodName.h"

namespace ZELM {

class DynamicCaller : public virtual DynamicBase {
public:
    // Call one (immediate): the method bound under the name, after its argument check; R is the
    // result the caller expects (default-constructed when nothing is invoked).
    template <typename R = void, typename... A>
    R Call(const MethodName& method, A&&... arguments) {
        ArgumentList list;
        PackArguments(list, arguments...);
        if constexpr (std::is_void_v<R>) {
            CallWith(method, list);
        } else {
            R result{};
            list.SetReturn(result);
            CallWith(method, list);
            return result;
        }
    }

    // Call all (broadcast): every method bound under the name, in binding order; none is no error.
    template <typename... A>
    void CallAll(const MethodName& method, A&&... arguments) {
        ArgumentList list;
        PackArguments(list, arguments...);
        CallAllWith(method, list);
    }

    // Call later (deferred): the name's deferred methods run from the delayed-call queue once
    // delayMs of frame time has passed (0: at the end of this frame). The arguments are copied.
    template <typename... A>
    void CallLater(const MethodName& method, float delayMs, const A&... arguments) {
        ArgumentList list;
        PackArgumentCopies(list, arguments...);
        CallLaterWith(method, delayMs, std::move(list));
    }

    // Whether a call of the name would find an immediate method (so optional calls can be skipped
    // without a report).
    bool IsBound(const MethodName& method) const;

    void CallWith(const MethodName& method, ArgumentList& arguments);
    void CallAllWith(const MethodName& method, ArgumentList& arguments);
    void CallLaterWith(const MethodName& method, float delayMs, ArgumentList arguments);
};

}  // namespace ZELM
