-- The credits: who made the game and with what.
function Init()
    Engine.PostSomeText("FALLWARD was made by the Fallward team, on our own ZELM engine and Kestrin physics, " ..
        "with SDL2, OpenGL, Lua 5.1, TinyXML, Dear ImGui, assimp, glm and stb. " ..
        "Letters from DejaVu Sans Mono, every other picture and sound our own. " ..
        "Press ENTER to return to the menu.")
end
