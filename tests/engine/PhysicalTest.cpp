// Tests of the spatial component: its defaults, its solid timer and the order its properties are saved in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Entity.h"
#include "engine/Physical.h"
#include "engine/SaveVisitor.h"
#include "engine/XmlWriter.h"
#include "support/ProblemCapture.h"
#include "utilities/LuaState.h"

namespace {

using ZELM::EntityHandle;
using ZELM::Physical;

class PhysicalTest : public ::testing::Test {
protected:
    void SetUp() override {
        rock = EntityHandle(new ZELM::Entity("Rock"));
        rock.Resolve()->SetSelfHandle(rock);
        physical = new Physical();
        physical->SetTypeName("Physical");
        physical->SetServiceName("Logic");
        rock.Resolve()->AddComponent(physical);
        physical->Bind();
    }
    void TearDown() override {
        rock.Destroy();
        ZELM::LuaState::Close();
    }

    EntityHandle rock;
    Physical* physical = nullptr;
};

TEST_F(PhysicalTest, NewOneSitsAtHalfDepthAndIsSolid) {
    ZELMTest::ProblemCapture capture;
    EXPECT_EQ(rock.Resolve()->Call<float>("GetZ"), 0.5f);
    EXPECT_TRUE(rock.Resolve()->Call<bool>("IsSolid"));
    EXPECT_EQ(rock.Resolve()->Call<float>("GetWidth"), 1.0f);
    EXPECT_EQ(rock.Resolve()->Call<float>("GetHeight"), 1.0f);
    EXPECT_EQ(rock.Resolve()->Call<float>("GetLength"), 1.0f);

    rock.Resolve()->CallAll("SetX", 3.0f);
    rock.Resolve()->CallAll("SetY", -2.0f);
    rock.Resolve()->CallAll("SetZ", 0.25f);
    EXPECT_EQ(rock.Resolve()->Call<float>("GetX"), 3.0f);
    EXPECT_EQ(rock.Resolve()->Call<float>("GetY"), -2.0f);
    EXPECT_EQ(rock.Resolve()->Call<float>("GetZ"), 0.25f);
    EXPECT_EQ(capture.Count(), 0u);
}

TEST_F(PhysicalTest, SolidTimerCountsSecondsDownWhileNotSolid) {
    ZELMTest::ProblemCapture capture;
    rock.Resolve()->Call("SetSolid", false, 2.0f);
    EXPECT_EQ(capture.Count(), 0u);
    EXPECT_FALSE(rock.Resolve()->Call<bool>("IsSolid"));

    physical->Update(500.0f);
    physical->Update(500.0f);
    EXPECT_FLOAT_EQ(physical->GetSolidTimer(), 1.0f);
    physical->Update(500.0f);
    physical->Update(500.0f);
    EXPECT_FLOAT_EQ(physical->GetSolidTimer(), 0.0f);
    // Past zero it keeps counting until something makes the entity solid again.
    physical->Update(500.0f);
    EXPECT_LT(physical->GetSolidTimer(), 0.0f);
    EXPECT_FALSE(rock.Resolve()->Call<bool>("IsSolid"));

    rock.Resolve()->Call("SetSolid", true, 3.0f);
    physical->Update(500.0f);
    EXPECT_EQ(physical->GetSolidTimer(), 3.0f);
    EXPECT_TRUE(rock.Resolve()->Call<bool>("IsSolid"));
}

TEST_F(PhysicalTest, PropertiesAreSavedInBindingOrder) {
    rock.Resolve()->CallAll("SetX", 8.0f);
    ZELM::XmlWriter writer("unused.xml", "Archetype");
    ZELM::SaveVisitor save(writer);
    save.Visit(*physical);

    const TiXmlElement* component = writer.GetDocument().RootElement()->FirstChildElement("Component");
    ASSERT_NE(component, nullptr);
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (const TiXmlElement* child = component->FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        names.push_back(child->Value());
        const TiXmlElement* value = child->FirstChildElement();
        values.push_back(value != nullptr ? std::string(value->Value()) + " " + value->GetText()
                                          : std::string(child->GetText()));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"string", "string", "x", "y", "z", "width", "height", "length",
                                               "Solid_Timer", "solid"}));
    EXPECT_EQ(values, (std::vector<std::string>{"Logic", "Physical", "float 8", "float 0", "float 0.5",
                                                "float 1", "float 1", "float 1", "float 0", "bool 1"}));
}

}  // namespace
