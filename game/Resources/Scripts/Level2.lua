-- Turning gravity in mid-fall: the side openings go by fast, so the turn comes before them.
function Init()
    Tutorial.Start({
        { text = "Let go of every arrow and you drift to a stop. Hold {gravityup} to fall up the shaft!" },
        { x = { 0, 4 }, y = { 6, 20 }, text = "Watch the right wall: press RIGHT while you fall to turn into the opening!" },
        { x = { 0, 4 }, y = { 28, 46 }, text = "Missed it? Press DOWN to fall back, and RIGHT as you pass the opening." },
        { x = { 8, 15 }, y = { 21, 25 }, text = "Well caught! Up the next shaft, and LEFT into the YELLOW goal." },
    })
end
