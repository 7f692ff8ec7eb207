// Collides a body with the level's tiles along the edges it moves towards, merging runs of equal tiles.
#pragma once

#include <array>

#include "logic/WorldMap.h"
#include "physics/TilePhysicsObject.h"
#include "utilities/DynamicCaller.h"

namespace Kestrin {
class PhysicsComponent;
}

namespace Logic {

class TileCollision {
public:
    static constexpr unsigned kTileTypes = 255;
    // Bodies whose box reaches past this tile coordinate (or below 0) get no tile collisions.
    static constexpr unsigned kMaxCoordinate = 10000;

    using TileObjects = std::array<Kestrin::TilePhysicsObject, kTileTypes>;

    // `engine` reaches "CollidedWithPlayer" when the player touches a tile.
    TileCollision(const WorldMap& map, TileObjects& tileObjects, ZELM::DynamicCaller& engine)
        : map(map), tileObjects(tileObjects), engine(engine) {}

    // Scans the top row when moving up, the bottom row when moving down, then the left or right
    // column, and resolves the body against each run of equal tiles found there.
    void Generate(Kestrin::PhysicsComponent& body);

    // Resolves the body against the box the tile record describes (its x, y, width, height).
    void Resolve(Kestrin::PhysicsComponent& body, Kestrin::TilePhysicsObject& tile);

private:
    void ScanRow(Kestrin::PhysicsComponent& body, int row, int left, int right, bool markCorner);
    void ScanColumn(Kestrin::PhysicsComponent& body, int column, int bottom, int top);
    unsigned char Tile(int x, int y) const;

    const WorldMap& map;
    TileObjects& tileObjects;
    ZELM::DynamicCaller& engine;
    bool cornerRun = false;
};

}  // namespace Logic
