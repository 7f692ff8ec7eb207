// Moving values between the Lua stack and C++.
#include "utilities/LuaStack.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include <lua.hpp>

namespace ZELM {

LuaStack::LuaStack(lua_State* state, Direction direction, int firstIndex)
    : state(state), direction(direction), nextIndex(firstIndex) {}

void LuaStack::FetchNext() {
    if (!tables.empty()) {
        lua_rawgeti(state, tables.back(), nextKeys.back()++);
    } else if (nextIndex >= 1 && nextIndex <= lua_gettop(state)) {
        lua_pushvalue(state, nextIndex++);
    } else {
        ++nextIndex;
        lua_pushnil(state);
    }
}

void LuaStack::StoreTop() {
    if (!tables.empty()) {
        lua_rawseti(state, tables.back(), nextKeys.back()++);
    }
}

// A value that is not a number (or not a finite one) reads as 0.
double LuaStack::TakeNumber() {
    FetchNext();
    const double value = lua_isnumber(state, -1) ? lua_tonumber(state, -1) : 0.0;
    lua_pop(state, 1);
    return std::isfinite(value) ? value : 0.0;
}

template <typename T>
static T ClampTo(double value) {
    const double low = static_cast<double>(std::numeric_limits<T>::lowest());
    const double high = static_cast<double>(std::numeric_limits<T>::max());
    return static_cast<T>(value < low ? low : (value > high ? high : value));
}

void LuaStack::SerializeUnserializable() {
    if (direction == Direction::Read) {
        FetchNext();
        lua_pop(state, 1);
    } else {
        lua_pushnil(state);
        StoreTop();
    }
}

void LuaStack::Serialize(std::string& value) {
    if (direction == Direction::Read) {
        FetchNext();
        std::size_t length = 0;
        const char* text = lua_isstring(state, -1) ? lua_tolstring(state, -1, &length) : nullptr;
        value = text != nullptr ? std::string(text, length) : std::string();
        lua_pop(state, 1);
    } else {
        lua_pushlstring(state, value.data(), value.size());
        StoreTop();
    }
}

void LuaStack::Serialize(bool& value) {
    if (direction == Direction::Read) {
        FetchNext();
        value = lua_toboolean(state, -1) != 0;
        lua_pop(state, 1);
    } else {
        lua_pushboolean(state, value ? 1 : 0);
        StoreTop();
    }
}

template <typename T>
void LuaStack::SerializeNumber(T& value) {
    if (direction == Direction::Read) {
        value = std::is_same_v<T, double> ? static_cast<T>(TakeNumber()) : ClampTo<T>(TakeNumber());
    } else {
        lua_pushnumber(state, static_cast<lua_Number>(value));
        StoreTop();
    }
}

void LuaStack::Serialize(double& value) { SerializeNumber(value); }
void LuaStack::Serialize(float& value) { SerializeNumber(value); }
void LuaStack::Serialize(int& value) { SerializeNumber(value); }
void LuaStack::Serialize(unsigned& value) { SerializeNumber(value); }
void LuaStack::Serialize(char& value) { SerializeNumber(value); }
void LuaStack::Serialize(unsigned char& value) { SerializeNumber(value); }

void LuaStack::BeginGroup() {
    if (direction == Direction::Read) {
        FetchNext();
        if (!lua_istable(state, -1)) {
            // Not a table: read the record's members as nils (their defaults).
            lua_pop(state, 1);
            lua_newtable(state);
        }
        tables.push_back(lua_gettop(state));
        lua_rawgeti(state, -1, 0);
        nextKeys.push_back(lua_isnil(state, -1) ? 1 : 0);
        lua_pop(state, 1);
    } else {
        lua_newtable(state);
        tables.push_back(lua_gettop(state));
        nextKeys.push_back(0);
    }
}

void LuaStack::EndGroup() {
    if (tables.empty()) {
        return;
    }
    tables.pop_back();
    nextKeys.pop_back();
    if (direction == Direction::Read) {
        lua_pop(state, 1);
    } else {
        StoreTop();  // into the enclosing table, or left on the stack as one value
    }
}

}  // namespace ZELM
