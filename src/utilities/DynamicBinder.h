// Binds an object's methods by name into the method table of its binder name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/IVisitor.h"
#include "engine/PropertyImpl.h"
#include "utilities/DelegateImpl.h"
#include "utilities/DynamicBase.h"
#include "utilities/MethodTable.h"

namespace ZELM {

class DynamicBinder : public virtual DynamicBase {
public:
    DynamicBinder();
    // Withdraws every method this binder bound, so no call reaches a destroyed object.
    ~DynamicBinder() override;

    // Immediate: reached by Call; a later binding of the name replaces this one.
    template <typename O, typename R, typename C, typename... P>
    void Bind(const MethodName& method, O* object, R (C::*function)(P...)) {
        AddImmediate(method, MakeDelegate<R, C, P...>(object, function));
    }
    template <typename O, typename R, typename C, typename... P>
    void Bind(const MethodName& method, O* object, R (C::*function)(P...) const) {
        AddImmediate(method, MakeDelegate<R, const C, P...>(object, function));
    }

    // Broadcast: reached by CallAll, together with every other binding of the name.
    template <typename O, typename R, typename C, typename... P>
    void BindBroadcast(const MethodName& method, O* object, R (C::*function)(P...)) {
        AddBroadcast(method, MakeDelegate<R, C, P...>(object, function));
    }
    template <typename O, typename R, typename C, typename... P>
    void BindBroadcast(const MethodName& method, O* object, R (C::*function)(P...) const) {
        AddBroadcast(method, MakeDelegate<R, const C, P...>(object, function));
    }

    // Deferred: reached by CallLater, so it always runs at the end of a frame.
    template <typename O, typename R, typename C, typename... P>
    void BindDeferred(const MethodName& method, O* object, R (C::*function)(P...)) {
        AddDeferred(method, MakeDelegate<R, C, P...>(object, function));
    }
    template <typename O, typename R, typename C, typename... P>
    void BindDeferred(const MethodName& method, O* object, R (C::*function)(P...) const) {
        AddDeferred(method, MakeDelegate<R, const C, P...>(object, function));
    }

    // Deletes every method this binder bound into its current table.
    void UnbindAll();

    // A property over the member `value`, written under its name with spaces as underscores. With
    // `setter`, the broadcast method "Set" + name assigns it; with `getter`, the immediate method
    // "Get" + name returns it.
    template <typename T>
    PropertyImpl<T>* BindProperty(T* value, const std::string& name, bool setter, bool getter) {
        auto* property = new PropertyImpl<T>(name, value);
        AddProperty(std::unique_ptr<Property>(property));
        if (setter) {
            BindBroadcast("Set" + name, property, &PropertyImpl<T>::SetValue);
        }
        if (getter) {
            Bind("Get" + name, property, &PropertyImpl<T>::GetValue);
        }
        return property;
    }

    // A property whose loaded value is applied through the owner's callback after every load.
    template <typename T, typename O, typename C>
    PropertyImpl<T>* BindProperty(T* value, const std::string& name, O* object, void (C::*onChange)(const T&)) {
        auto* property = new PropertyImpl<T>(name, value);
        property->SetOnChange(MakeDelegate<void, C, const T&>(object, onChange));
        AddProperty(std::unique_ptr<Property>(property));
        return property;
    }

    // A read-only property whose value comes from the owner's getter; it is neither saved nor loaded.
    template <typename T, typename O, typename C>
    PropertyImpl<T>* BindComputedProperty(const std::string& name, O* object, T (C::*getter)()) {
        auto* property = new PropertyImpl<T>(name, nullptr);
        property->SetGetter(MakeDelegate<T, C>(object, getter));
        AddProperty(std::unique_ptr<Property>(property));
        return property;
    }

    // What one Bind call bound, kept only while recording is on (the component reference).
    struct BindingRecord {
        std::string name;
        const char* kind;  // "immediate", "broadcast" or "deferred"
        std::string signature;
    };
    // Binding stays free of bookkeeping except for tools that describe the bindings.
    static void RecordBindings(bool on);
    const std::vector<BindingRecord>& GetBindingRecords() const { return bindingRecords; }

    // Properties this binder owns, in binding order (the order of saving and loading).
    void AddProperty(std::unique_ptr<Property> property);
    const std::vector<std::unique_ptr<Property>>& GetProperties() const { return properties; }
    void VisitProperties(IVisitor<Property>& visitor);
    // Deletes the properties. Withdraw the bindings first (UnbindAll): their "Set" and "Get"
    // methods point at the properties.
    void DeleteProperties();

private:
    template <typename R, typename C, typename... P, typename O>
    std::unique_ptr<Delegate> MakeDelegate(O* object, typename DelegateImpl<R, C, P...>::Method function) {
        return std::make_unique<DelegateImpl<R, C, P...>>(static_cast<C*>(object), function, this);
    }

    MethodTable& Table();
    void AddImmediate(const MethodName& method, std::unique_ptr<Delegate> delegate);
    void AddBroadcast(const MethodName& method, std::unique_ptr<Delegate> delegate);
    void AddDeferred(const MethodName& method, std::unique_ptr<Delegate> delegate);

    void RecordBinding(const MethodName& method, const char* kind, const Delegate& delegate);

    std::vector<std::unique_ptr<Property>> properties;
    std::vector<BindingRecord> bindingRecords;
};

}  // namespace ZELM
