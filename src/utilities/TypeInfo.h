// Per-type identifiers and display names used to check the arguments of calls by name.
#pragma once

#include <string>
#include <type_traits>
#include <typeinfo>

namespace ZELM {

// Hands out the next identifier of the one global counter (0, 1, 2, ... in order of first use).
int NextTypeId();

// The small integer that identifies T in argument checks; assigned the first time T is checked.
template <typename T>
int TypeId() {
    static const int id = NextTypeId();
    return id;
}

// The compiler's readable name of a type ("Kestrin::PhysicsService"), for messages.
std::string DemangledName(const std::type_info& type);

// The name shown for a type in argument-check messages. Records without a name of their own
// read "UNREGISTERED"; a type gains a name by specialising this template next to its definition.
template <typename T, typename Enable = void>
struct TypeDisplayName {
    static const char* Get() { return "UNREGISTERED"; }
};

#define ZELM_TYPE_DISPLAY_NAME(Type, Text)                 \
    template <>                                            \
    struct TypeDisplayName<Type> {                         \
        static const char* Get() { return Text; }          \
    }

ZELM_TYPE_DISPLAY_NAME(int, "int");
ZELM_TYPE_DISPLAY_NAME(unsigned, "unsigned");
ZELM_TYPE_DISPLAY_NAME(float, "float");
ZELM_TYPE_DISPLAY_NAME(double, "double");
ZELM_TYPE_DISPLAY_NAME(bool, "bool");
ZELM_TYPE_DISPLAY_NAME(char, "char");
ZELM_TYPE_DISPLAY_NAME(unsigned char, "unsigned char");
ZELM_TYPE_DISPLAY_NAME(std::string, "std::string");

// Pointers read as their pointee's compiler name followed by "*".
template <typename T>
struct TypeDisplayName<T*, void> {
    static const char* Get() {
        // typeid of the pointer type, which works while T is still incomplete.
        static const std::string name = DemangledName(typeid(T*));
        return name.c_str();
    }
};

// The fully qualified name of a type inside a function name of a report, in the form
// "class Kestrin::PhysicsService" for classes and "float" for the rest; void reads "void".
template <typename T>
const std::string& QualifiedTypeName() {
    static const std::string name = [] {
        if constexpr (std::is_void_v<T>) {
            return std::string("void");
        } else if constexpr (std::is_same_v<std::decay_t<T>, std::string>) {
            return std::string("std::string");
        } else if constexpr (std::is_class_v<T>) {
            std::string pointer = DemangledName(typeid(T*));  // T may be incomplete here
            pointer.pop_back();
            return "class " + pointer;
        } else {
            return DemangledName(typeid(T));
        }
    }();
    return name;
}

// A type as a method's signature shows it: "void", "string", "float", "ZELM::EntityHandle",
// "Kestrin::PhysicsComponent*".
template <typename T>
std::string SignatureTypeName() {
    if constexpr (std::is_void_v<T>) {
        return "void";
    } else if constexpr (std::is_same_v<std::decay_t<T>, std::string>) {
        return "string";
    } else if constexpr (std::is_class_v<T>) {
        std::string pointer = DemangledName(typeid(T*));  // T may be incomplete here
        pointer.pop_back();
        return pointer;
    } else {
        return DemangledName(typeid(T));
    }
}

}  // namespace ZELM
