// Calls methods by name in the method table of its binder name: call one, call all, call later.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

#include "utilities/ArgumentList.h"
#include "utilities/DynamicBase.h"
#include "utilities/MethodName.h"
#include "utilities/MethodTable.h"

namespace ZELM {

class DynamicCaller : public virtual DynamicBase {
public:
    // Call one (immediate): the method bound under the name, after its argument check; R is the
    // result the caller expects (default-constructed when nothing is invoked).
    template <typename R = void, typename... A>
    R Call(const MethodName& method, A&&... arguments) {
        if constexpr (std::is_void_v<R> && kPassable<A...>) {
            if (CallPassing(method, arguments...)) {
                return;
            }
        }
        return CallListed<R>(method, arguments...);
    }

    // Call all (broadcast): every method bound under the name, in binding order; none is no error.
    template <typename... A>
    void CallAll(const MethodName& method, A&&... arguments) {
        if constexpr (kPassable<A...>) {
            if (CallAllPassing(method, arguments...)) {
                return;
            }
        }
        CallAllListed(method, arguments...);
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

    // `argumentKey` is the TypeListKey of the list's argument types when the caller knows them:
    // a method whose parameters have the same key is invoked without checking them again.
    // The remembered method is invoked here, in the caller: a body calls the tile collision by name
    // in every step, and a call through one more function was a tenth of that call's cost.
    void CallWith(const MethodName& method, ArgumentList& arguments, const void* argumentKey = nullptr) {
        if ((immediateMemo.generation != MethodTable::Generation() || immediateMemo.nameId != method.GetId()) &&
            !RememberImmediate(method)) {
            return;
        }
        // A copy: the callee's own calls may fill the memo again.
        const DirectCall call = immediateMemo.call;
        call.invoke(call, arguments, call.parameters != argumentKey);
    }
    // Likewise a remembered broadcast runs here: a body broadcasts its place twice a step.
    void CallAllWith(const MethodName& method, ArgumentList& arguments, const void* argumentKey = nullptr) {
        BroadcastMemo& memo = memos[method.GetId() & 1u];
        // A current memo was filled while this object had a table, and taking or dropping a table
        // changes the generation: only a memo filled again needs the table looked at.
        if ((memo.generation != MethodTable::Generation() || memo.nameId != method.GetId()) &&
            !RememberOrWalk(memo, method, arguments)) {
            return;
        }
        // The table is not held here: the registry keeps it until its name is removed, which empties
        // it first, so holding it would keep nothing that a remembered broadcast reads; and holding it
        // cost a miss on the table's count for every body that broadcasts.
        // A copy: a callee's own broadcasts may fill the memo again.
        const BroadcastMemo found = memo;
        for (std::size_t i = 0; i < found.count; ++i) {
            const DirectCall& call = found.calls[i];
            call.invoke(call, arguments, call.parameters != argumentKey);
            if (MethodTable::Generation() != found.generation) {
                // A callee bound or withdrew methods: go on through the list as it now is, from the
                // node that followed this delegate before it ran.
                WalkFrom(found.after[i], *found.list, arguments);
                return;
            }
        }
    }
    void CallLaterWith(const MethodName& method, float delayMs, ArgumentList arguments);

private:
    // The key of the types a call's arguments travel as (ArgumentType), as PackArguments lists them.
    template <typename... A>
    static constexpr const void* ArgumentKey() {
        return TypeListKey<ArgumentType<A>...>();
    }

    // Arguments a remembered method may be given as copies, without a list (DirectCall::passing).
    template <typename... A>
    static constexpr bool kPassable = (std::is_trivially_copyable_v<ArgumentType<A>> && ...);
    template <typename... A>
    using Passing = void (*)(const DirectCall&, ArgumentType<A>...);
    // Call one without a list when the remembered method takes these arguments as copies; false,
    // having called nothing, otherwise (the list's way then looks, reports and calls as ever).
    template <typename... A>
    bool CallPassing(const MethodName& method, A&... arguments) {
        if (immediateMemo.generation != MethodTable::Generation() || immediateMemo.nameId != method.GetId() ||
            immediateMemo.call.passing == nullptr || immediateMemo.call.parameters != ArgumentKey<A...>()) {
            return false;
        }
        // Not copied: the invoker reads the call before the method runs, and a callee's own calls
        // may fill the memo again only then.
        const DirectCall& call = immediateMemo.call;
        reinterpret_cast<Passing<A...>>(call.passing)(call, arguments...);
        return true;
    }

    // Call all without a list when every remembered delegate takes these arguments as copies;
    // false, having called nothing, otherwise. Should a callee bind or withdraw methods, or fill
    // the memo for another name, the rest of the list is walked as it now is, as CallAllWith does.
    template <typename... A>
    bool CallAllPassing(const MethodName& method, A&... arguments) {
        const BroadcastMemo& memo = memos[method.GetId() & 1u];
        const std::uint64_t generation = MethodTable::Generation();
        const std::uint32_t nameId = method.GetId();
        if (memo.generation != generation || memo.nameId != nameId || memo.passingKey != ArgumentKey<A...>()) {
            return false;
        }
        const std::size_t count = memo.count;
        for (std::size_t i = 0; i < count; ++i) {
            // The call is read by its invoker before the method runs; where the list goes on, in
            // case the method fills the memo again, is read here.
            const DirectCall& call = memo.calls[i];
            const MethodTable::BroadcastList::iterator after = memo.after[i];
            MethodTable::BroadcastList* const list = memo.list;
            reinterpret_cast<Passing<A...>>(call.passing)(call, arguments...);
            if (MethodTable::Generation() != generation || memo.nameId != nameId) {
                ArgumentList rest;
                PackArguments(rest, arguments...);
                WalkFrom(after, *list, rest);
                return true;
            }
        }
        return true;
    }

    // The calls with their arguments in a list: kept out of line, so that the calls that need no
    // list stay small where they are made.
    template <typename R, typename... A>
    [[gnu::noinline]] R CallListed(const MethodName& method, A&... arguments) {
        ArgumentList list;
        PackArguments(list, arguments...);
        if constexpr (std::is_void_v<R>) {
            CallWith(method, list, ArgumentKey<A...>());
        } else {
            R result{};
            list.SetReturn(result);
            CallWith(method, list, ArgumentKey<A...>());
            return result;
        }
    }
    template <typename... A>
    [[gnu::noinline]] void CallAllListed(const MethodName& method, A&... arguments) {
        ArgumentList list;
        PackArguments(list, arguments...);
        CallAllWith(method, list, ArgumentKey<A...>());
    }

    // The method a call of one name last found, good while no table anywhere has changed: a
    // service is called by name once per body in every step (the tile collision), and the lookup
    // was a large part of such a call. Filled only when a method was found.
    struct ImmediateMemo {
        std::uint64_t generation = ~std::uint64_t{0};  // never current until filled
        std::uint32_t nameId = 0;
        DirectCall call;
    };

    // A name's broadcast delegates as this object last found them, good while no table anywhere
    // has changed (MethodTable::Generation): a body broadcasts "SetX" and "SetY" several times a
    // step, and walking from its table through the list's nodes to the delegates each time was
    // most of the cost of those calls. Names share the two memos by the low bit of their number.
    // The delegates are remembered as copies of what invoking them takes, so a broadcast reads
    // only this object and the objects it reaches.
    struct BroadcastMemo {
        static constexpr std::size_t kMaxDelegates = 2;
        std::uint64_t generation = 0;
        std::uint32_t nameId = 0;
        std::size_t count = 0;  // delegates remembered; a longer list is not remembered
        MethodTable::BroadcastList* list = nullptr;
        DirectCall calls[kMaxDelegates] = {};
        MethodTable::BroadcastList::iterator after[kMaxDelegates] = {};  // the node after each delegate
        // The parameters' key when every delegate takes its arguments as copies, all of the same
        // types; null otherwise, and when there is nothing to call.
        const void* passingKey = nullptr;
    };

    // Looks the name up and remembers the method it finds; false, reported, when there is none.
    bool RememberImmediate(const MethodName& method);
    // Fills the memo for the name; true when the remembered delegates are to be called, false when
    // there is nothing to call or the list, too long to remember, was walked here.
    bool RememberOrWalk(BroadcastMemo& memo, const MethodName& method, ArgumentList& arguments);
    // Fills the memo for the name; false when the list is too long to remember.
    static bool Remember(BroadcastMemo& memo, MethodTable& table, const MethodName& method);
    // Invokes the list's delegates from `next` on, each stepped past before it runs.
    static void WalkFrom(MethodTable::BroadcastList::iterator next, MethodTable::BroadcastList& list,
                         ArgumentList& arguments);

    BroadcastMemo memos[2];
    ImmediateMemo immediateMemo;
};

}  // namespace ZELM
