-- A level's tutorial texts. A text without an area is shown once, at the start. A text with an
-- area is shown while the player is inside it (again when they come back, after a death say) and
-- cleared when they leave it, so no hint stands over a place it no longer speaks of. A step may
-- name the spot its text speaks of (`spot`, an area like the others): the text's panel keeps clear
-- of it. A level names this file as its Update script and hands its list to Tutorial.Start from its
-- Init. The tutorial tiles (15 to 19) still show their own texts, which a text's leaving never clears.
Tutorial = {}

local steps = {}
local shown = nil  -- the step whose text is on screen, while it still is
local shownText = nil  -- its words as the player's line holds them
local shownFor = 0  -- milliseconds it has been
local setAside = nil  -- a step whose text a tile or a notice replaced: not again until it is left
-- A text is left up this long even when its area is crossed faster, so it can be read.
local kLeastShownMs = 1500

-- A range {low, high} of numbers, or nil for one that is missing or malformed.
local function Range(range)
    if type(range) ~= "table" then
        return nil
    end
    local low, high = tonumber(range[1]), tonumber(range[2])
    if low == nil or high == nil then
        return nil
    end
    return { low, high }
end

-- Each step: text (a string), optionally x = {left, right} and y = {bottom, top} in tiles, and
-- optionally spot = { x = {left, right}, y = {bottom, top} }.
function Tutorial.Start(list)
    steps = {}
    shown = nil
    setAside = nil
    if type(list) ~= "table" then
        return
    end
    for _, step in ipairs(list) do
        if type(step) == "table" and type(step.text) == "string" then
            local spot = nil
            if type(step.spot) == "table" and Range(step.spot.x) and Range(step.spot.y) then
                spot = { x = Range(step.spot.x), y = Range(step.spot.y) }
            end
            steps[#steps + 1] = { text = step.text, x = step.x, y = step.y, spot = spot,
                                  area = step.x ~= nil or step.y ~= nil, started = false }
        end
    end
end

-- Whether value lies in the range {low, high}; no range holds every value, a malformed one none.
local function Within(range, value)
    if range == nil then
        return true
    end
    local checked = Range(range)
    return checked ~= nil and value >= checked[1] and value <= checked[2]
end

local function Show(step)
    shown = step
    shownFor = 0
    Player.SetInstructions(step.text)
    shownText = Player.GetInstructionText()
    if Player.SetInstructionsSpot ~= nil then
        if step.spot ~= nil then
            Player.SetInstructionsSpot(step.spot.x[1], step.spot.y[1], step.spot.x[2], step.spot.y[2])
        else
            Player.SetInstructionsSpot(0, 0, -1, -1)
        end
    end
end

-- The step the player stands in now: a start text once, or the first area that holds them.
local function StepHere(x, y)
    for _, step in ipairs(steps) do
        if step.area then
            if Within(step.x, x) and Within(step.y, y) then
                return step
            end
        elseif not step.started then
            step.started = true
            return step
        end
    end
    return nil
end

function Update(dt)
    if #steps == 0 or type(Player) ~= "table" then
        return  -- nothing to show, or no player to show it to
    end
    shownFor = shownFor + (tonumber(dt) or 0)
    if shown ~= nil and Player.GetInstructionText() ~= shownText then
        setAside = shown  -- a tile's text or a notice took its place
        shown = nil
    end
    local here = StepHere(Player.GetX(), Player.GetY())
    if here ~= setAside then
        setAside = nil
    end
    if here ~= nil and here ~= shown and here ~= setAside then
        Show(here)
    elseif here == nil and shown ~= nil and shown.area and shownFor >= kLeastShownMs then
        Player.SetInstructions(" ")
        shown = nil
    end
end
