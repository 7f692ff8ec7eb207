-- Turning gravity in mid-fall: the side opening goes by fast, so the turn comes before it, and the
-- hint that asks for the turn is up from the start, well before the opening shows.
function Init()
    Tutorial.Start({
        { text = "Hold UP to fall up the shaft, and press RIGHT while you fall to catch the opening!" },
        { x = { 0, 4 }, y = { 31, 46 }, text = "Missed it? Press DOWN to fall back, and RIGHT as you pass the opening." },
        { x = { 8, 15 }, y = { 20, 29 }, text = "Well caught! Let go of the arrows to drift to a stop, then UP and LEFT into the goal." },
    })
end
