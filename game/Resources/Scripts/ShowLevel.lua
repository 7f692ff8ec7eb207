-- The first level's start: hand its tile map to the renderer.
function Init()
    Engine.DrawLevelMap()
end
