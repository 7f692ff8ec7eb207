-- Turning gravity in mid-fall: the side opening goes by fast, so the turn comes before it, and the
-- hint that asks for the turn is up from the start, well before the opening shows.
function Init()
    Tutorial.Start({
        { text = "Hold {gravityup} to fall up the shaft, and press {gravityright} while you fall to catch the opening!" },
        { x = { 0, 4 }, y = { 31, 46 }, text = "Missed it? Press {gravitydown} to fall back, and {gravityright} as you pass the opening." },
        { x = { 8, 15 }, y = { 20, 29 }, text = "Well caught! Let go of the {gravity} to drift to a stop, then {gravityup} and {gravityleft} into the goal." },
    })
end
