// Tests of properties and of the XML writer and reader that level and archetype files are made with.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/LoadVisitor.h"
#include "engine/PropertyImpl.h"
#include "engine/SaveVisitor.h"
#include "engine/XmlReader.h"
#include "engine/XmlWriter.h"
#include "support/ProblemCapture.h"
#include "utilities/Dynamic.h"
#include "utilities/LuaState.h"

namespace {

namespace fs = std::filesystem;
using ZELM::XmlReader;
using ZELM::XmlWriter;
using ZELMTest::ProblemCapture;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// An object with one member of each property type, bound under "Gauge".
class Gauge : public ZELM::DynamicBinder, public ZELM::DynamicCaller {
public:
    Gauge() { SetName("Gauge"); }
    void OnLevel(const int& value) { changes.push_back(value); }
    float Area() { return width * 2.0f; }

    int level = 0;
    unsigned count = 0;
    bool open = false;
    float timer = 0.0f;
    float width = 1.5f;
    std::string label;
    std::vector<int> changes;
};

class SerializationTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("fallward-serialization-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        ZELM::DynamicBase::RemoveTablesOf("Gauge");
        ZELM::LuaState::Close();
    }

    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }
    // A document whose root holds the given elements.
    std::string WriteDocument(const std::string& body) {
        return Write("document.xml", "<?xml version=\"1.0\" ?>\n<Root>" + body + "</Root>\n");
    }

    fs::path dir;
};

TEST_F(SerializationTest, PropertyNamesTypeCodesAndBoundAccessors) {
    Gauge gauge;
    ProblemCapture capture;
    ZELM::Property* timer = gauge.BindProperty(&gauge.timer, "Solid Timer", true, true);
    EXPECT_EQ(timer->GetName(), "Solid_Timer");
    EXPECT_EQ(timer->GetTypeCode(), 5);
    EXPECT_EQ(gauge.BindProperty(&gauge.level, "Level", false, false)->GetTypeCode(), 0);
    EXPECT_EQ(gauge.BindProperty(&gauge.count, "Count", false, false)->GetTypeCode(), 1);
    EXPECT_EQ(gauge.BindProperty(&gauge.open, "Open", false, false)->GetTypeCode(), 4);
    EXPECT_EQ(gauge.BindProperty(&gauge.label, "Label", false, false)->GetTypeCode(), 7);

    // The setter answers the bound name with spaces or underscores, in any case.
    gauge.CallAll("SetSolid Timer", 1.5f);
    EXPECT_EQ(gauge.timer, 1.5f);
    gauge.CallAll("SetSolid_Timer", 2.5f);
    EXPECT_EQ(gauge.timer, 2.5f);
    gauge.CallAll("setsolid_timer", 3.5f);
    EXPECT_EQ(gauge.timer, 3.5f);
    gauge.CallAll("SETSOLID TIMER", 4.5f);
    EXPECT_EQ(gauge.timer, 4.5f);
    EXPECT_EQ(gauge.Call<float>("GetSolid Timer"), 4.5f);
    EXPECT_EQ(gauge.Call<float>("getsolid_timer"), 4.5f);
    EXPECT_EQ(capture.Count(), 0u);

    // The setter is a broadcast only; properties bound without accessors answer neither form.
    gauge.Call("SetSolid Timer", 9.0f);
    EXPECT_EQ(capture.Count(), 1u);
    EXPECT_EQ(gauge.timer, 4.5f);
    gauge.CallAll("SetLevel", 3);
    EXPECT_EQ(gauge.level, 0);
    gauge.Call<int>("GetLevel");
    EXPECT_EQ(capture.Count(), 2u);
}

TEST_F(SerializationTest, ChangeCallbackRunsAfterEveryLoadFoundOrNot) {
    Gauge gauge;
    gauge.BindProperty(&gauge.level, "Level", &gauge, &Gauge::OnLevel);
    XmlReader reader(WriteDocument("<Level><int>7</int></Level><Other><int>1</int></Other>"));
    ASSERT_FALSE(reader.Failed());
    ZELM::LoadVisitor load(reader);

    gauge.VisitProperties(load);
    EXPECT_EQ(gauge.level, 7);
    EXPECT_EQ(gauge.changes, (std::vector<int>{7}));

    // The reader now stands on "Other": nothing is read, the callback still runs.
    gauge.level = 3;
    gauge.VisitProperties(load);
    EXPECT_EQ(gauge.level, 3);
    EXPECT_EQ(gauge.changes, (std::vector<int>{7, 3}));
    EXPECT_TRUE(reader.IsAt("Other"));
}

TEST_F(SerializationTest, ComputedPropertyIsNeitherSavedNorLoaded) {
    Gauge gauge;
    gauge.BindProperty(&gauge.level, "Level", false, false);
    ZELM::PropertyImpl<float>* area = gauge.BindComputedProperty("Area", &gauge, &Gauge::Area);
    gauge.BindProperty(&gauge.label, "Label", false, false);
    EXPECT_TRUE(area->IsComputed());
    EXPECT_EQ(area->GetValue(), 3.0f);
    gauge.width = 4.0f;
    EXPECT_EQ(area->GetValue(), 8.0f);

    gauge.level = 2;
    gauge.label = "dial";
    XmlWriter writer((dir / "gauge.xml").string(), "Gauge");
    ZELM::SaveVisitor save(writer);
    gauge.VisitProperties(save);
    ASSERT_TRUE(writer.Save());
    EXPECT_EQ(ReadFile(dir / "gauge.xml"),
              "<?xml version=\"1.0\" ?>\n<Gauge>\n"
              "    <Level>\n        <int>2</int>\n    </Level>\n"
              "    <Label>\n        <string>dial</string>\n    </Label>\n</Gauge>\n");

    // An "Area" element in a file stays where it is: the computed property does not consume it.
    XmlReader reader(WriteDocument("<Level><int>4</int></Level><Area><float>99</float></Area>"));
    ZELM::LoadVisitor load(reader);
    gauge.VisitProperties(load);
    EXPECT_EQ(gauge.level, 4);
    EXPECT_EQ(area->GetValue(), 8.0f);
    EXPECT_TRUE(reader.IsAt("Area"));
    EXPECT_EQ(gauge.label, "dial");
}

TEST_F(SerializationTest, WriterNamesEachValueAfterItsTypeWithStreamFormattedNumbers) {
    const fs::path path = dir / "values.xml";
    XmlWriter writer(path.string(), "Root");
    writer.BeginElement("Values");
    std::string text = "crate";
    bool yes = true;
    bool no = false;
    char letter = 'A';
    unsigned char byte = 200;
    double tenth = 0.1;
    double large = 1234567.0;
    float smallTenth = 0.1f;
    float million = 1234567.0f;
    float tiny = 0.00001f;
    int negative = -42;
    unsigned big = 4000000000u;
    writer.Serialize(text);
    writer.Serialize(yes);
    writer.Serialize(no);
    writer.Serialize(letter);
    writer.Serialize(byte);
    writer.Serialize(tenth);
    writer.Serialize(large);
    writer.Serialize(smallTenth);
    writer.Serialize(million);
    writer.Serialize(tiny);
    writer.Serialize(negative);
    writer.Serialize(big);
    writer.EndElement();
    writer.BeginElement("After");
    writer.Serialize(negative);
    writer.EndElement();
    ASSERT_TRUE(writer.Save());

    EXPECT_EQ(ReadFile(path),
              "<?xml version=\"1.0\" ?>\n"
              "<Root>\n"
              "    <Values>\n"
              "        <string>crate</string>\n"
              "        <bool>1</bool>\n"
              "        <bool>0</bool>\n"
              "        <char>65</char>\n"
              "        <uchar>200</uchar>\n"
              "        <double>0.1</double>\n"
              "        <double>1.23457e+06</double>\n"
              "        <float>0.1</float>\n"
              "        <float>1.23457e+06</float>\n"
              "        <float>1e-05</float>\n"
              "        <int>-42</int>\n"
              "        <uint>4000000000</uint>\n"
              "    </Values>\n"
              "    <After>\n"
              "        <int>-42</int>\n"
              "    </After>\n"
              "</Root>\n");

    XmlWriter placeholder((dir / "placeholder.xml").string(), "Root");
    placeholder.SerializeUnserializable();
    const TiXmlElement* root = placeholder.GetDocument().RootElement();
    ASSERT_NE(root->FirstChildElement(), nullptr);
    EXPECT_STREQ(root->FirstChildElement()->Value(), "unserializable");
}

TEST_F(SerializationTest, WriterReplacesTheFileThroughARename) {
    const fs::path path = dir / "level.xml";
    std::ofstream(path) << "old contents";
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    XmlWriter writer(path.string(), "Level");
    ASSERT_TRUE(writer.Save());
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(ReadFile(path), "<?xml version=\"1.0\" ?>\n<Level />\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    XmlWriter nowhere((dir / "missing" / "level.xml").string(), "Level");
    EXPECT_FALSE(nowhere.Save());
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(SerializationTest, WrittenValuesReadBackInOrder) {
    const std::string path = (dir / "round.xml").string();
    {
        XmlWriter writer(path, "Root");
        std::string tricky = "a<b & \"c\" > 'd'";
        std::string empty;
        bool yes = true;
        char letter = -5;
        unsigned char byte = 250;
        double precise = -2.5;
        float position = 8.25f;
        int negative = -123456;
        unsigned big = 4294967295u;
        writer.BeginElement("Outer");
        writer.Serialize(tricky);
        writer.Serialize(empty);
        writer.SerializeUnserializable();
        writer.Serialize(yes);
        writer.EndElement();
        writer.Serialize(letter);
        writer.Serialize(byte);
        writer.Serialize(precise);
        writer.Serialize(position);
        writer.Serialize(negative);
        writer.Serialize(big);
        ASSERT_TRUE(writer.Save());
    }

    XmlReader reader(path);
    ASSERT_FALSE(reader.Failed());
    std::string tricky;
    std::string empty = "stale";
    bool yes = false;
    char letter = 0;
    unsigned char byte = 0;
    double precise = 0;
    float position = 0;
    int negative = 0;
    unsigned big = 0;
    ASSERT_TRUE(reader.BeginElement("Outer"));
    reader.Serialize(tricky);
    reader.Serialize(empty);
    reader.SerializeUnserializable();
    reader.Serialize(yes);
    reader.Serialize(letter);
    reader.Serialize(byte);
    reader.Serialize(precise);
    reader.Serialize(position);
    reader.Serialize(negative);
    reader.Serialize(big);
    EXPECT_EQ(tricky, "a<b & \"c\" > 'd'");
    EXPECT_EQ(empty, "");
    EXPECT_TRUE(yes);
    EXPECT_EQ(letter, -5);
    EXPECT_EQ(byte, 250);
    EXPECT_EQ(precise, -2.5);
    EXPECT_EQ(position, 8.25f);
    EXPECT_EQ(negative, -123456);
    EXPECT_EQ(big, 4294967295u);
    EXPECT_TRUE(reader.EndElement());
}

TEST_F(SerializationTest, ReaderWalksStrictlyInDocumentOrder) {
    XmlReader reader(
        WriteDocument("<Outer><Inner><int>3</int></Inner></Outer>"
                      "<named>4</named>"
                      "<Last><string>end</string></Last>"));
    ASSERT_FALSE(reader.Failed());
    int value = 0;

    // Only the element at the cursor can be entered, however deep the named one is.
    EXPECT_FALSE(reader.BeginElement("Inner"));
    EXPECT_FALSE(reader.BeginElement("Last"));
    ASSERT_TRUE(reader.BeginElement("Outer"));
    EXPECT_FALSE(reader.BeginElement("Outer"));
    ASSERT_TRUE(reader.BeginElement("Inner"));
    reader.Serialize(value);
    EXPECT_EQ(value, 3);

    // A value is read from the cursor element whatever its name.
    reader.Serialize(value);
    EXPECT_EQ(value, 4);
    EXPECT_FALSE(reader.EndElement());
    EXPECT_FALSE(reader.AtEnd());

    reader.Rewind();
    EXPECT_TRUE(reader.IsAt("Outer"));
    ASSERT_TRUE(reader.BeginElement("Outer"));
    ASSERT_TRUE(reader.BeginElement("Inner"));
    reader.Serialize(value);
    reader.Serialize(value);
    ASSERT_TRUE(reader.BeginElement("Last"));
    std::string last;
    reader.Serialize(last);
    EXPECT_EQ(last, "end");
    EXPECT_TRUE(reader.EndElement());
    EXPECT_TRUE(reader.EndElement());
    EXPECT_FALSE(reader.BeginElement("Outer"));
}

TEST_F(SerializationTest, ReaderTurnsOddNumbersIntoSafeValues) {
    XmlReader reader(WriteDocument(
        "<int>42abc</int><int>abc</int><int>-7</int>"
        "<bool>2</bool><bool>0</bool><bool>yes</bool>"
        "<uint>4294967297</uint><uint>-1</uint><uint>4294967296</uint>"
        "<float>nan</float><float>inf</float><float>1e39</float><float>-1e39</float><float>1e38</float>"
        "<float>2.5x</float><double>1e309</double><double>1e300</double>"));
    ASSERT_FALSE(reader.Failed());
    std::vector<int> ints(3);
    for (int& value : ints) {
        reader.Serialize(value);
    }
    EXPECT_EQ(ints, (std::vector<int>{42, 0, -7}));
    bool flags[3] = {false, true, true};
    for (bool& flag : flags) {
        reader.Serialize(flag);
    }
    EXPECT_TRUE(flags[0]);
    EXPECT_FALSE(flags[1]);
    EXPECT_FALSE(flags[2]);
    std::vector<unsigned> unsigneds(3);
    for (unsigned& value : unsigneds) {
        reader.Serialize(value);
    }
    EXPECT_EQ(unsigneds, (std::vector<unsigned>{1u, 4294967295u, 0u}));
    std::vector<float> floats(6, 7.0f);
    for (float& value : floats) {
        reader.Serialize(value);
    }
    EXPECT_EQ(floats, (std::vector<float>{0.0f, 0.0f, 0.0f, 0.0f, 1e38f, 2.5f}));
    double doubles[2] = {7.0, 7.0};
    reader.Serialize(doubles[0]);
    reader.Serialize(doubles[1]);
    EXPECT_EQ(doubles[0], 0.0);
    EXPECT_EQ(doubles[1], 1e300);
    EXPECT_TRUE(reader.EndElement());
}

TEST_F(SerializationTest, ValueElementsWithoutTextReadEmptyAndTheWalkGoesOn) {
    XmlReader reader(
        WriteDocument("<name><string/></name><count><int></int></count><bool/><float/><uint/>"
                      "<next><string>after</string></next>"));
    ASSERT_FALSE(reader.Failed());
    std::string name = "stale";
    int count = 9;
    bool flag = true;
    float size = 9.0f;
    unsigned amount = 9;
    ASSERT_TRUE(reader.BeginElement("name"));
    reader.Serialize(name);
    ASSERT_TRUE(reader.BeginElement("count"));
    reader.Serialize(count);
    reader.Serialize(flag);
    reader.Serialize(size);
    reader.Serialize(amount);
    EXPECT_EQ(name, "");
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(flag);
    EXPECT_EQ(size, 0.0f);
    EXPECT_EQ(amount, 0u);
    ASSERT_TRUE(reader.BeginElement("next"));
    std::string next;
    reader.Serialize(next);
    EXPECT_EQ(next, "after");
    EXPECT_TRUE(reader.EndElement());
}

TEST_F(SerializationTest, UnreadableFilesFailTheReader) {
    EXPECT_TRUE(XmlReader(Write("truncated.xml", "<?xml version=\"1.0\" ?>\n<Level><Entity>")).Failed());
    EXPECT_TRUE(XmlReader(Write("declaration.xml", "<?xml version=\"1.0\" ?>\n")).Failed());
    EXPECT_TRUE(XmlReader(Write("empty.xml", "")).Failed());
    XmlReader missing((dir / "missing.xml").string());
    EXPECT_TRUE(missing.Failed());
    EXPECT_FALSE(missing.GetError().empty());
    EXPECT_TRUE(missing.EndElement());

    XmlReader empty(Write("root.xml", "<?xml version=\"1.0\" ?>\n<Level />\n"));
    EXPECT_FALSE(empty.Failed());
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_TRUE(empty.EndElement());
}

TEST_F(SerializationTest, FilesThatAreNotUtf8TextAreRefusedBeforeTheParserSeesThem) {
    // A truncated character at the very end once made the parser step over the end of the text.
    const std::string start = "<?xml version=\"1.0\" ?>\n<Level><string>";
    for (const std::string& bad : {start + "x</string></Level>\xdf", start + "\x80</string></Level>",
                                   start + "\xc0\xaf</string></Level>", start + "\xed\xa0\x80</string></Level>",
                                   start + "\xf5\x80\x80\x80</string></Level>", start + "\xe2\x82</string></Level>"}) {
        XmlReader reader(Write("bad.xml", bad));
        EXPECT_TRUE(reader.Failed()) << bad;
        // Each bad sequence begins at the first byte outside ASCII.
        const auto first = std::find_if(bad.begin(), bad.end(), [](char c) { return (c & 0x80) != 0; });
        const std::string at = "(byte " + std::to_string(first - bad.begin()) + ")";
        EXPECT_NE(reader.GetError().find("not UTF-8 text " + at), std::string::npos) << reader.GetError();
    }

    XmlReader good(Write("good.xml", start + "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x99\x82\r\nnext</string></Level>"));
    ASSERT_FALSE(good.Failed()) << good.GetError();
    std::string text;
    good.Serialize(text);
    EXPECT_EQ(text, "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x99\x82 next");
}

}  // namespace
