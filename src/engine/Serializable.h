// Which value types have a serialized form, and how one value of such a type is serialized.
#pragma once

#include <string>
#include <type_traits>

#include "engine/ISerializer.h"

namespace ZELM {

template <typename T>
inline constexpr bool kIsBasicSerializable =
    std::is_same_v<T, std::string> || std::is_same_v<T, bool> || std::is_same_v<T, char> ||
    std::is_same_v<T, unsigned char> || std::is_same_v<T, double> || std::is_same_v<T, float> ||
    std::is_same_v<T, int> || std::is_same_v<T, unsigned>;

// A record serializes itself: it has a member `void Serialize(ISerializer&)` that serializes its
// members in order; it travels as one group (a Lua table, for example).
template <typename T, typename = void>
struct IsSerializableRecord : std::false_type {};
template <typename T>
struct IsSerializableRecord<T, std::void_t<decltype(std::declval<T&>().Serialize(std::declval<ISerializer&>()))>>
    : std::is_default_constructible<T> {};

template <typename T>
inline constexpr bool kIsSerializable =
    std::is_void_v<T> || kIsBasicSerializable<std::decay_t<T>> || IsSerializableRecord<std::decay_t<T>>::value;

// Reads or writes one value of a serializable type.
template <typename T>
void SerializeValue(ISerializer& serializer, T& value) {
    if constexpr (kIsBasicSerializable<T>) {
        serializer.Serialize(value);
    } else {
        serializer.BeginGroup();
        value.Serialize(serializer);
        serializer.EndGroup();
    }
}

}  // namespace ZELM
