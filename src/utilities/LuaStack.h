// A serializer over the Lua stack: reads a call's arguments from it, or pushes values onto it.
#pragma once

#include <string>
#include <vector>

#include "engine/ISerializer.h"

struct lua_State;

namespace ZELM {

class LuaStack : public ISerializer {
public:
    enum class Direction { Read, Write };

    // Reading starts at the absolute stack index `firstIndex` (values below index 1 read as nil);
    // writing pushes each value on top.
    LuaStack(lua_State* state, Direction direction, int firstIndex = 1);

    void SerializeUnserializable() override;
    void Serialize(std::string& value) override;
    void Serialize(bool& value) override;
    void Serialize(char& value) override;
    void Serialize(unsigned char& value) override;
    void Serialize(double& value) override;
    void Serialize(float& value) override;
    void Serialize(int& value) override;
    void Serialize(unsigned& value) override;
    bool BeginElement(const std::string&) override { return true; }
    bool EndElement() override { return true; }
    // A record is a table whose fields are its members at consecutive integer keys: written from 0,
    // read from 0, or from 1 when key 0 holds nil.
    void BeginGroup() override;
    void EndGroup() override;

private:
    // Reading: pushes the next value (argument or table field) on top. Writing: stores the value on
    // top as the next field of the open table, or leaves it as a pushed value.
    void FetchNext();
    void StoreTop();
    double TakeNumber();
    // Numbers of every width: read as a Lua number clamped to the type's range, written as one.
    template <typename T>
    void SerializeNumber(T& value);

    lua_State* state;
    Direction direction;
    int nextIndex;
    std::vector<int> tables;  // absolute stack indices of the open tables
    std::vector<int> nextKeys;
};

}  // namespace ZELM
