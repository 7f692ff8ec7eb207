// The delegate of one member-function signature: result, owning class and up to four parameters.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "engine/ProblemReport.h"
#include "engine/Serializable.h"
#include "utilities/ArgumentList.h"
#include "utilities/Delegate.h"
#include "utilities/TypeInfo.h"

namespace ZELM {

// The member-function pointer type for an owner; a const owner names a const member function.
template <typename R, typename C, typename... P>
struct MemberFunction {
    using Type = R (C::*)(P...);
};
template <typename R, typename C, typename... P>
struct MemberFunction<R, const C, P...> {
    using Type = R (C::*)(P...) const;
};

// Builds the argument-check message: one line per mismatching position, then the count line.
std::string CompareMessage(const int* expectedIds, const char* const* expectedNames, std::size_t expectedCount,
                           const ArgumentList& given);

// "ZELM::DelegateImpl<R,class C,P1,P2,P3,P4>::Compare" with absent positions as void.
template <typename R, typename C, typename... P>
const std::string& DelegateCompareName() {
    static const std::string name = [] {
        std::string text = "ZELM::DelegateImpl<" + QualifiedTypeName<R>() + "," +
                           QualifiedTypeName<std::remove_const_t<C>>();
        ((text += "," + QualifiedTypeName<std::decay_t<P>>()), ...);
        for (std::size_t i = sizeof...(P); i < 4; ++i) {
            text += ",void";
        }
        return text + ">::Compare";
    }();
    return name;
}

template <typename R, typename C, typename... P>
class DelegateImpl final : public Delegate {
    static_assert(sizeof...(P) <= 4, "bound methods take at most four parameters");

public:
    using Method = typename MemberFunction<R, C, P...>::Type;

    DelegateImpl(C* object, Method method, const void* binder) : Delegate(binder), object(object), method(method) {}

    void Invoke(ArgumentList& arguments) override { InvokeWith(arguments, std::index_sequence_for<P...>{}); }

    void CompareAndInvoke(ArgumentList& arguments) override {
        if (Compare(arguments)) {
            InvokeWith(arguments, std::index_sequence_for<P...>{});
        }
    }

    bool Compare(const ArgumentList& arguments) override { return CheckTypes(arguments); }

    DirectCall GetDirectCall() const override {
        static_assert(sizeof(Method) <= sizeof(DirectCall::method), "a member-function pointer too large to copy");
        DirectCall call;
        call.invoke = &InvokeDirect;
        call.parameters = TypeListKey<std::decay_t<P>...>();
        call.object = const_cast<std::remove_const_t<C>*>(object);
        std::memcpy(call.method, &method, sizeof(Method));
        if constexpr (kTakesCopies) {
            call.passing = reinterpret_cast<void (*)()>(&InvokePassing);
        }
        return call;
    }

    std::string Signature() const override {
        std::string parameters;
        ((parameters += (parameters.empty() ? "" : ", ") + SignatureTypeName<std::decay_t<P>>()), ...);
        return SignatureTypeName<R>() + "(" + parameters + ")";
    }

    bool IsSerializable() const override { return kSerializable; }
    std::size_t GetParameterCount() const override { return sizeof...(P); }

    void ReadArguments(ISerializer& reader, ArgumentList& arguments) override {
        if constexpr (kSerializable) {
            (ReadOne<std::decay_t<P>>(reader, arguments), ...);
        }
    }

    bool InvokeAndWriteResult(ArgumentList& arguments, ISerializer& writer) override {
        if (!Compare(arguments)) {
            return false;
        }
        if constexpr (std::is_void_v<R> || !kSerializable) {
            Invoke(arguments);
            return false;
        } else {
            std::decay_t<R> result{};
            arguments.SetReturn(result);
            Invoke(arguments);
            SerializeValue(writer, result);
            return true;
        }
    }

private:
    static constexpr bool kSerializable = kIsSerializable<R> && (kIsSerializable<P> && ...);
    // Whether the method can be given copies of its arguments: no parameter writes back.
    static constexpr bool kTakesCopies =
        ((!std::is_reference_v<P> || std::is_const_v<std::remove_reference_t<P>>) && ...) &&
        (std::is_trivially_copyable_v<std::decay_t<P>> && ...);

    static bool CheckTypes(const ArgumentList& arguments) {
        static const std::array<int, sizeof...(P) + 1> ids = {TypeId<std::decay_t<P>>()..., -1};
        static const std::array<const char*, sizeof...(P) + 1> names = {
            TypeDisplayName<std::decay_t<P>>::Get()..., ""};
        if (arguments.Size() == sizeof...(P)) {
            bool same = true;
            for (std::size_t i = 0; i < sizeof...(P); ++i) {
                same = same && arguments[i].typeId == ids[i];
            }
            if (same) {
                return true;
            }
        }
        const std::string message = CompareMessage(ids.data(), names.data(), sizeof...(P), arguments);
        ZELM_PROBLEM(DelegateCompareName<R, C, P...>().c_str(), "%s", message.c_str());
        return false;
    }

    static void InvokeDirect(const DirectCall& call, ArgumentList& arguments, bool check) {
        if (check && !CheckTypes(arguments)) {
            return;
        }
        Method method;
        std::memcpy(&method, call.method, sizeof(Method));
        InvokeOn(static_cast<C*>(call.object), method, arguments, std::index_sequence_for<P...>{});
    }

    // Reads all it needs of the call before the method runs: the call may be a caller's memo,
    // which the method's own calls by name may fill again.
    static void InvokePassing(const DirectCall& call, std::decay_t<P>... values) {
        Method method;
        std::memcpy(&method, call.method, sizeof(Method));
        C* const object = static_cast<C*>(call.object);
        (object->*method)(values...);
    }

    template <typename T>
    static void ReadOne(ISerializer& reader, ArgumentList& arguments) {
        T value{};
        SerializeValue(reader, value);
        arguments.AddCopy(value);
    }

    template <std::size_t... I>
    void InvokeWith(ArgumentList& arguments, std::index_sequence<I...> order) {
        InvokeOn(object, method, arguments, order);
    }

    template <std::size_t... I>
    static void InvokeOn(C* object, Method method, ArgumentList& arguments, std::index_sequence<I...>) {
        if constexpr (std::is_void_v<R>) {
            (object->*method)(arguments.template Get<P>(I)...);
        } else {
            if (!arguments.StoreResult((object->*method)(arguments.template Get<P>(I)...))) {
                ZELM_PROBLEM(DelegateCompareName<R, C, P...>().c_str(),
                             "\n\nResult expected: %s given %s", arguments.GetReturn().typeName,
                             TypeDisplayName<std::decay_t<R>>::Get());
            }
        }
    }

    C* object;
    Method method;
};

}  // namespace ZELM
