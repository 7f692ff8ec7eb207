// The trace line of a frame: the player's motion while there is one, and strings escaped.
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/TraceWriter.h"
#include "support/PhysicsWorld.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(TraceWriter, APlayerAddsItsPositionVelocityGravityAndRadiusAndTextsTheirList) {
    ZELMTest::PhysicsWorld world;
    Kestrin::PhysicsComponent* body = world.AddBox("Hero", 2.5f, 3.0f);
    body->SetXVelocity(1.5f);
    body->SetYVelocity(-2.0f);
    const std::string path = "/tmp/fallward-trace-unit-" + std::to_string(::getpid());

    Fallward::TraceWriter trace;
    ASSERT_TRUE(trace.Open(path));
    trace.WriteFrame(1, 1, 16.0f, "Level1", *world.logic);
    world.logic->SetPlayer(body->GetOwner());
    trace.WriteFrame(2, 2, 16.0f, "Level1", *world.logic, {"Checkpoint!", "Time: \"3\""});
    EXPECT_EQ(ReadAll(path),
              "{\"frame\":1,\"tick\":1,\"dt\":16,\"level\":\"Level1\"}\n"
              "{\"frame\":2,\"tick\":2,\"dt\":16,\"level\":\"Level1\",\"player\":{\"name\":\"Hero\",\"x\":2.5,\"y\":3,"
              "\"vx\":1.5,\"vy\":-2,\"gx\":0,\"gy\":-1,\"radius\":0},"
              "\"texts\":[\"Checkpoint!\",\"Time: \\\"3\\\"\"]}\n");
    std::remove(path.c_str());
}

TEST(TraceWriter, TheNetworkEndsTheLineWithTheRemotePlayerWhileThereIsOne) {
    ZELMTest::PhysicsWorld world;
    const std::string path = "/tmp/fallward-trace-net-" + std::to_string(::getpid());
    Fallward::TraceWriter trace;
    ASSERT_TRUE(trace.Open(path));
    Fallward::NetTrace net;
    net.allow = true;
    trace.WriteFrame(1, 1, 16.0f, "multiplayer", *world.logic, {}, &net);
    net = Fallward::NetTrace{true, false, true, 2, 40, 38, true, 6.5f, 5.25f};
    trace.WriteFrame(2, 2, 16.0f, "multiplayer", *world.logic, {}, &net);
    EXPECT_EQ(ReadAll(path),
              "{\"frame\":1,\"tick\":1,\"dt\":16,\"level\":\"multiplayer\",\"net\":{\"allow\":true,\"hosting\":false,"
              "\"connected\":false,\"association\":1,\"sent\":0,\"received\":0}}\n"
              "{\"frame\":2,\"tick\":2,\"dt\":16,\"level\":\"multiplayer\",\"net\":{\"allow\":true,\"hosting\":false,"
              "\"connected\":true,\"association\":2,\"sent\":40,\"received\":38,\"remote\":{\"x\":6.5,\"y\":5.25}}}\n");
    std::remove(path.c_str());
}

TEST(TraceWriter, StringsAreEscapedForJson) {
    EXPECT_EQ(Fallward::TraceWriter::Quote("a\"b\\c\nd"), "\"a\\\"b\\\\c\\u000ad\"");
}

}  // namespace
