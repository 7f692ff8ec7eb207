// Binds an object's methods by name into the method table of its binder name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "utilities/DelegateImpl.h"
#include "utilities/DynamicBase.h"
#include "utilities/MethodTable.h"

namespace ZELM {

class Property;

class DynamicBinder : public virtual DynamicBase {
public:
    DynamicBinder();
    // Withdraws every method this binder bound, so no call reaches a destroyed object.
    ~DynamicBinder() override;

    // Immediate: reached by Call; a later binding of the name replaces this one.
    template <typename O, typename R, typename C, typename... P>
    void Bind(const std::string& method, O* object, R (C::*function)(P...)) {
        AddImmediate(method, MakeDelegate<R, C, P...>(object, function));
    }
    template <typename O, typename R, typename C, typename... P>
    void Bind(const std::string& method, O* object, R (C::*function)(P...) const) {
        AddImmediate(method, MakeDelegate<R, const C, P...>(object, function));
    }

    // Broadcast: reached by CallAll, together with every other binding of the name.
    template <typename O, typename R, typename C, typename... P>
    void BindBroadcast(const std::string& method, O* object, R (C::*function)(P...)) {
        AddBroadcast(method, MakeDelegate<R, C, P...>(object, function));
    }
    template <typename O, typename R, typename C, typename... P>
    void BindBroadcast(const std::string& method, O* object, R (C::*function)(P...) const) {
        AddBroadcast(method, MakeDelegate<R, const C, P...>(object, function));
    }

    // Deferred: reached by CallLater, so it always runs at the end of a frame.
    template <typename O, typename R, typename C, typename... P>
    void BindDeferred(const std::string& method, O* object, R (C::*function)(P...)) {
        AddDeferred(method, MakeDelegate<R, C, P...>(object, function));
    }
    template <typename O, typename R, typename C, typename... P>
    void BindDeferred(const std::string& method, O* object, R (C::*function)(P...) const) {
        AddDeferred(method, MakeDelegate<R, const C, P...>(object, function));
    }

    // Deletes every method this binder bound into its current table.
    void UnbindAll();

    // Properties this binder owns, in binding order (the order of saving and loading).
    void AddProperty(std::unique_ptr<Property> property);
    const std::vector<std::unique_ptr<Property>>& GetProperties() const { return properties; }
    void DeleteProperties();

private:
    template <typename R, typename C, typename... P, typename O>
    std::unique_ptr<Delegate> MakeDelegate(O* object, typename DelegateImpl<R, C, P...>::Method function) {
        return std::make_unique<DelegateImpl<R, C, P...>>(static_cast<C*>(object), function, this);
    }

    MethodTable& Table();
    void AddImmediate(const std::string& method, std::unique_ptr<Delegate> delegate);
    void AddBroadcast(const std::string& method, std::unique_ptr<Delegate> delegate);
    void AddDeferred(const std::string& method, std::unique_ptr<Delegate> delegate);

    std::vector<std::unique_ptr<Property>> properties;
};

}  // namespace ZELM
