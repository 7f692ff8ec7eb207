// Tests of the C API without a display: bars and entries by name, parameters, definitions and errors.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/tweakbar/DefinitionParser.h"
#include "editor/tweakbar/TweakBar.h"
#include "editor/tweakbar/ValueText.h"

namespace {

float speed = 1.0f;
void GetSpeed(void* value, void*) {
    *static_cast<float*>(value) = speed;
}
void SetSpeed(const void* value, void*) {
    speed = *static_cast<const float*>(value);
}
void Press(void*) {}

std::string LastError() {
    return TwGetLastError();
}

class TweakBarApi : public ::testing::Test {
protected:
    void SetUp() override {
        bar = TwNewBar("Entity");
        ASSERT_NE(bar, nullptr) << LastError();
    }
    void TearDown() override { TwTerminate(); }

    int AddSpeed(const char* name, const char* def = nullptr) {
        return TwAddVarCB(bar, name, TW_TYPE_FLOAT, SetSpeed, GetSpeed, nullptr, def);
    }

    std::string GetText(const char* varName, const char* param, unsigned room = 256) {
        std::vector<char> text(room, '#');
        if (TwGetParam(bar, varName, param, TW_PARAM_CSTRING, room, text.data()) != 1) {
            return "(error: " + LastError() + ")";
        }
        return text.data();
    }

    TwBar* bar = nullptr;
};

TEST_F(TweakBarApi, BarNamesAreUniqueUntilTheBarIsDeleted) {
    EXPECT_EQ(TwNewBar("Entity"), nullptr);
    EXPECT_NE(LastError().find("'Entity' already exists"), std::string::npos) << LastError();
    EXPECT_EQ(TwGetBarByName("Entity"), bar);
    EXPECT_EQ(TwNewBar("GLOBAL"), nullptr);
    EXPECT_EQ(TwNewBar(""), nullptr);
    EXPECT_EQ(TwNewBar(nullptr), nullptr);

    ASSERT_EQ(TwDeleteBar(bar), 1) << LastError();
    EXPECT_EQ(TwGetBarByName("Entity"), nullptr);
    EXPECT_EQ(TwDeleteBar(bar), 0);
    EXPECT_EQ(AddSpeed("speed"), 0);
    EXPECT_NE(TwNewBar("Entity"), nullptr) << LastError();
}

TEST_F(TweakBarApi, AnErrorLastsUntilTheNextCallThatCanFail) {
    EXPECT_EQ(TwNewBar("Entity"), nullptr);
    EXPECT_FALSE(LastError().empty());
    EXPECT_EQ(TwDraw(), 0);
    EXPECT_FALSE(LastError().empty());
    EXPECT_NE(TwNewBar("Other"), nullptr);
    EXPECT_EQ(LastError(), "");
}

TEST_F(TweakBarApi, VariablesAreUniqueWithinTheirBarAndOfSupportedTypesOnly) {
    ASSERT_EQ(AddSpeed("speed"), 1) << LastError();
    EXPECT_EQ(AddSpeed("speed"), 0);
    EXPECT_EQ(TwAddButton(bar, "speed", Press, nullptr, nullptr), 0);
    EXPECT_EQ(AddSpeed(nullptr), 0);
    EXPECT_EQ(TwAddVarCB(bar, "colour", TW_TYPE_COLOR3F, nullptr, GetSpeed, nullptr, nullptr), 0);
    EXPECT_EQ(TwAddVarCB(bar, "small", TW_TYPE_INT8, nullptr, GetSpeed, nullptr, nullptr), 0);
    EXPECT_EQ(TwAddVarCB(bar, "blind", TW_TYPE_FLOAT, SetSpeed, nullptr, nullptr, nullptr), 0);

    TwBar* other = TwNewBar("Other");
    EXPECT_EQ(TwAddVarCB(other, "speed", TW_TYPE_FLOAT, SetSpeed, GetSpeed, nullptr, nullptr), 1);
    EXPECT_EQ(TwAddSeparator(bar, nullptr, nullptr), 1);
    EXPECT_EQ(TwAddSeparator(bar, "", "group=Tail"), 1) << LastError();
    EXPECT_EQ(GetText("Tail", "label"), "Tail");
}

TEST_F(TweakBarApi, AnAddWithABadDefinitionKeepsTheEntryAndTheGoodAttributes) {
    EXPECT_EQ(AddSpeed("speed", "label='Top speed' step=fast group=Motion"), 0);
    EXPECT_NE(LastError().find("step"), std::string::npos) << LastError();
    EXPECT_EQ(GetText("speed", "label"), "Top speed");
    EXPECT_EQ(GetText("speed", "group"), "Motion");
    EXPECT_EQ(AddSpeed("other", "label='unterminated"), 0);
    EXPECT_EQ(GetText("other", "label"), "other");
}

TEST_F(TweakBarApi, ParametersRoundTripByNameForTheBarAndItsEntries) {
    ASSERT_EQ(AddSpeed("speed"), 1);
    const std::int32_t position[2] = {40, 60};
    ASSERT_EQ(TwSetParam(bar, nullptr, "position", TW_PARAM_INT32, 2, position), 1) << LastError();
    std::int32_t read[4] = {0, 0, 0, 0};
    EXPECT_EQ(TwGetParam(bar, nullptr, "position", TW_PARAM_INT32, 4, read), 2);
    EXPECT_EQ(read[0], 40);
    EXPECT_EQ(read[1], 60);
    EXPECT_EQ(TwGetParam(bar, nullptr, "size", TW_PARAM_INT32, 1, read), 1);

    const std::int32_t hidden = 0;
    ASSERT_EQ(TwSetParam(bar, nullptr, "Visible", TW_PARAM_INT32, 1, &hidden), 1) << LastError();
    EXPECT_EQ(GetText(nullptr, "visible"), "false");
    EXPECT_EQ(TwGetParam(bar, nullptr, "visible", TW_PARAM_INT32, 1, read), 1);
    EXPECT_EQ(read[0], 0);

    ASSERT_EQ(TwSetParam(bar, "speed", "label", TW_PARAM_CSTRING, 1, "Top speed"), 1);
    EXPECT_EQ(GetText("speed", "label"), "Top speed");
    const double step = 0.25;
    ASSERT_EQ(TwSetParam(bar, "speed", "step", TW_PARAM_DOUBLE, 1, &step), 1) << LastError();
    float stepRead = 0.0f;
    EXPECT_EQ(TwGetParam(bar, "speed", "step", TW_PARAM_FLOAT, 1, &stepRead), 1);
    EXPECT_EQ(stepRead, 0.25f);
    ASSERT_EQ(TwSetParam(bar, "speed", "group", TW_PARAM_CSTRING, 1, "Motion"), 1);
    const std::int32_t closed = 0;
    ASSERT_EQ(TwSetParam(bar, "Motion", "opened", TW_PARAM_INT32, 1, &closed), 1) << LastError();
    EXPECT_EQ(GetText("Motion", "opened"), "false");
    ASSERT_EQ(TwSetParam(bar, nullptr, "fontsize", TW_PARAM_INT32, 1, &closed), 1);
    EXPECT_EQ(GetText(nullptr, "fontsize"), "0");
}

TEST_F(TweakBarApi, AStringParameterIsCutToTheRoomGivenAndAlwaysTerminated) {
    ASSERT_EQ(TwSetParam(bar, nullptr, "label", TW_PARAM_CSTRING, 1, "Longer label"), 1);
    EXPECT_EQ(GetText(nullptr, "label", 5), "Long");
    EXPECT_EQ(GetText(nullptr, "label", 1), "");
    char none = 'x';
    EXPECT_EQ(TwGetParam(bar, nullptr, "label", TW_PARAM_CSTRING, 0, &none), 0);
    EXPECT_EQ(none, 'x');
}

TEST_F(TweakBarApi, BadParametersAreRefusedWithAReason) {
    ASSERT_EQ(AddSpeed("speed"), 1);
    std::int32_t values[4] = {1, 2, 3, 4};
    EXPECT_EQ(TwSetParam(bar, "nothing", "label", TW_PARAM_CSTRING, 1, "x"), 0);
    EXPECT_EQ(TwSetParam(bar, nullptr, "position", TW_PARAM_INT32, 1, values), 0);
    EXPECT_EQ(TwSetParam(bar, nullptr, "position", TW_PARAM_INT32, 0, values), 0);
    EXPECT_EQ(TwSetParam(bar, nullptr, "position", TW_PARAM_INT32, 1000, values), 0);
    EXPECT_EQ(TwSetParam(bar, nullptr, "position", TW_PARAM_INT32, 2, nullptr), 0);
    EXPECT_EQ(TwSetParam(bar, nullptr, "bad name", TW_PARAM_INT32, 1, values), 0);
    EXPECT_EQ(TwSetParam(bar, nullptr, nullptr, TW_PARAM_INT32, 1, values), 0);
    EXPECT_EQ(TwSetParam(nullptr, nullptr, "visible", TW_PARAM_INT32, 1, values), 0);
    EXPECT_EQ(TwGetParam(bar, nullptr, "label", TW_PARAM_INT32, 1, values), 0);
    EXPECT_EQ(TwGetParam(bar, "speed", "min", TW_PARAM_DOUBLE, 1, values), 0);
    EXPECT_FALSE(LastError().empty());
}

TEST_F(TweakBarApi, AVariableWithoutASetCallbackReadsAsReadOnly) {
    ASSERT_EQ(TwAddVarCB(bar, "shown", TW_TYPE_FLOAT, nullptr, GetSpeed, nullptr, "readonly=false"), 1);
    std::int32_t readOnly = 0;
    EXPECT_EQ(TwGetParam(bar, "shown", "readonly", TW_PARAM_INT32, 1, &readOnly), 1);
    EXPECT_EQ(readOnly, 1);
    ASSERT_EQ(AddSpeed("speed"), 1);
    EXPECT_EQ(TwGetParam(bar, "speed", "readonly", TW_PARAM_INT32, 1, &readOnly), 1);
    EXPECT_EQ(readOnly, 0);
}

TEST_F(TweakBarApi, DefineAppliesGoodStatementsAndReturnsZeroForAnyBadOne) {
    ASSERT_NE(TwNewBar("My Bar"), nullptr);
    ASSERT_EQ(AddSpeed("speed"), 1);
    EXPECT_EQ(TwDefine(" 'My Bar' label='Scene' \n Entity/speed label=Speed \n GLOBAL fontresizable=false"),
              1)
        << LastError();
    EXPECT_EQ(TwDefine("Entity/Physics group=Attached"), 0);
    EXPECT_NE(LastError().find("no entry named 'Physics'"), std::string::npos) << LastError();
    EXPECT_EQ(TwDefine("Entity label='x\nEntity/speed label=Fast"), 0);
    EXPECT_EQ(GetText("speed", "label"), "Fast");
    EXPECT_EQ(TwDefine(nullptr), 0);
}

TEST_F(TweakBarApi, UnterminatedStringsAreNotReadPastTheirLimit) {
    const std::vector<char> longDefinition(Tweak::DefinitionParser::kMaxDefinitionLength + 1, 'a');
    EXPECT_EQ(TwDefine(longDefinition.data()), 0);
    const std::vector<char> longName(Tweak::kMaxNameLength + 1, 'n');
    EXPECT_EQ(TwNewBar(longName.data()), nullptr);
    EXPECT_EQ(AddSpeed(longName.data()), 0);
    EXPECT_EQ(TwSetParam(bar, longName.data(), "label", TW_PARAM_CSTRING, 1, "x"), 0);
    const std::vector<char> longValue(Tweak::kMaxValueLength + 1, 'v');
    EXPECT_EQ(TwSetParam(bar, nullptr, "label", TW_PARAM_CSTRING, 1, longValue.data()), 0);
}

TEST_F(TweakBarApi, WithoutInitNothingDrawsAndTerminateIsSafeTwice) {
    EXPECT_EQ(TwDraw(), 0);
    const char event[64] = {};
    EXPECT_EQ(TwEventSDL(event, 2, 0), 0);
    EXPECT_EQ(TwWindowSize(800, 600), 1);
    EXPECT_EQ(TwWindowSize(-1, 600), 0);
    EXPECT_EQ(TwInit(TW_OPENGL, nullptr), 0);
    int notAWindow = 0;
    EXPECT_EQ(TwInit(TW_OPENGL_CORE, &notAWindow), 0);
    EXPECT_EQ(TwTerminate(), 1);
    EXPECT_EQ(TwTerminate(), 1);
    EXPECT_EQ(TwGetBarByName("Entity"), nullptr);
}

}  // namespace
