-- Turning gravity in mid-fall: the side opening goes by fast, so the turn comes before it, and the
-- hint that asks for the turn is up from the start, well before the opening shows.
function Init()
    Tutorial.Start({
        { text = "Let go of every arrow and you drift to a stop. Hold UP to fall up the shaft, " ..
                 "and press RIGHT while you fall to turn into the opening in the right wall!" },
        { x = { 0, 4 }, y = { 31, 46 }, text = "Missed it? Press DOWN to fall back, and RIGHT as you pass the opening." },
        { x = { 8, 15 }, y = { 20, 29 }, text = "Well caught! Up the next shaft, and LEFT into the YELLOW goal." },
    })
end
