-- A level's tutorial texts, each shown once: the first time the player is inside its area, or at
-- the start for a text without one. A level names this file as its Update script and hands its
-- list to Tutorial.Start from its Init. The tutorial tiles (15 to 19) still show their own texts;
-- a text stays until the next one, a tile's, or a tile that clears the line.
Tutorial = {}

local steps = {}

-- Each step: text (a string), and optionally x = {left, right} and y = {bottom, top} in tiles.
function Tutorial.Start(list)
    steps = {}
    if type(list) ~= "table" then
        return
    end
    for _, step in ipairs(list) do
        if type(step) == "table" and type(step.text) == "string" then
            steps[#steps + 1] = { text = step.text, x = step.x, y = step.y, shown = false }
        end
    end
end

-- Whether value lies in the range {low, high}; no range holds every value.
local function Within(range, value)
    if type(range) ~= "table" then
        return true
    end
    local low, high = tonumber(range[1]), tonumber(range[2])
    return low ~= nil and high ~= nil and value >= low and value <= high
end

function Update(dt)
    if #steps == 0 or type(Player) ~= "table" then
        return  -- nothing to show, or no player to show it to
    end
    local x, y = Player.GetX(), Player.GetY()
    for _, step in ipairs(steps) do
        if not step.shown and Within(step.x, x) and Within(step.y, y) then
            step.shown = true
            Player.SetInstructions(step.text)
        end
    end
end
