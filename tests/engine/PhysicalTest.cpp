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

TEST(PhysicalPlace, AFrameBetweenTwoTicksDrawsItBetweenItsTwoPlaces) {
    const struct {
        const char* what;
        bool ticked;  // the tick's start was noted
        float fromX, fromY, toX, toY, blend, drawnX, drawnY;
    } kCases[] = {
        {"halfway between ticks, halfway between places", true, 2.0f, 4.0f, 3.0f, 3.0f, 0.5f, 2.5f, 3.5f},
        {"at the tick, where it is", true, 2.0f, 4.0f, 3.0f, 3.0f, 1.0f, 3.0f, 3.0f},
        {"just after the tick before, near where it was", true, 2.0f, 4.0f, 3.0f, 3.0f, 0.0f, 2.0f, 4.0f},
        {"a respawn is no motion", true, 40.0f, 9.0f, 18.6f, 1.5f, 0.5f, 18.6f, 1.5f},
        {"new in the tick, where it is", false, 0.0f, 0.0f, 3.0f, 3.0f, 0.5f, 3.0f, 3.0f},
    };
    for (const auto& c : kCases) {
        ZELM::Physical physical;
        physical.SetX(c.fromX);
        physical.SetY(c.fromY);
        if (c.ticked) {
            physical.KeepTickStart();
        }
        physical.SetX(c.toX);
        physical.SetY(c.toY);
        float x = 0.0f;
        float y = 0.0f;
        physical.GetDrawnPlace(c.blend, x, y);
        EXPECT_FLOAT_EQ(x, c.drawnX) << c.what;
        EXPECT_FLOAT_EQ(y, c.drawnY) << c.what;
    }
}

}  // namespace
