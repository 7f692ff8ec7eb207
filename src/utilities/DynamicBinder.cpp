// Stores delegates in the binder name's method table.
#include "utilities/DynamicBinder.h"

#include "engine/Property.h"
#include "utilities/LuaObject.h"

namespace ZELM {

DynamicBinder::DynamicBinder() = default;

DynamicBinder::~DynamicBinder() {
    UnbindAll();
    DeleteProperties();
}

MethodTable& DynamicBinder::Table() {
    if (!methods) {
        SetName(name);
    }
    return *methods;
}

namespace {
bool recordingBindings = false;
}  // namespace

void DynamicBinder::RecordBindings(bool on) { recordingBindings = on; }

void DynamicBinder::RecordBinding(const MethodName& method, const char* kind, const Delegate& delegate) {
    if (recordingBindings) {
        bindingRecords.push_back(BindingRecord{method.GetText(), kind, delegate.Signature()});
    }
}

void DynamicBinder::AddImmediate(const MethodName& method, std::unique_ptr<Delegate> delegate) {
    RecordBinding(method, "immediate", *delegate);
    MethodTable& table = Table();
    std::lock_guard<std::recursive_mutex> guard(*lock);
    table.immediate[method] = std::move(delegate);
    MethodTable::NoteChange();
    luaTable->AddMethodLua(method, CallKind::Immediate, methods);
}

void DynamicBinder::AddBroadcast(const MethodName& method, std::unique_ptr<Delegate> delegate) {
    RecordBinding(method, "broadcast", *delegate);
    MethodTable& table = Table();
    std::lock_guard<std::recursive_mutex> guard(*lock);
    table.broadcast[method].push_back(std::move(delegate));
    MethodTable::NoteChange();
    luaTable->AddMethodLua(method, CallKind::Broadcast, methods);
}

void DynamicBinder::AddDeferred(const MethodName& method, std::unique_ptr<Delegate> delegate) {
    RecordBinding(method, "deferred", *delegate);
    MethodTable& table = Table();
    std::lock_guard<std::recursive_mutex> guard(*lock);
    table.deferred[method].push_back(std::move(delegate));
    MethodTable::NoteChange();
    luaTable->AddMethodLua(method, CallKind::Deferred, methods);
}

void DynamicBinder::UnbindAll() {
    if (methods) {
        std::lock_guard<std::recursive_mutex> guard(*lock);
        methods->RemoveBindingsOf(this);
    }
}

void DynamicBinder::AddProperty(std::unique_ptr<Property> property) { properties.push_back(std::move(property)); }

void DynamicBinder::VisitProperties(IVisitor<Property>& visitor) {
    for (auto& property : properties) {
        visitor.Visit(*property);
    }
}

void DynamicBinder::DeleteProperties() { properties.clear(); }

}  // namespace ZELM
