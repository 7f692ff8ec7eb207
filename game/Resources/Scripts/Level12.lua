-- The test of this world: blue and magenta walls, phasing while falling, a magenta stop over red and
-- a slippery jump in a gravity zone. Few words: the player knows it all by now.
function Init()
    Tutorial.Start({
        { text = "Everything you learned about BLUE, MAGENTA and LIGHT BLUE. Good luck!" },
        { x = { 4, 8 }, y = { 18, 27 }, text = "Remember: MAGENTA holds you fast when you let go of {phase} inside it." },
        { x = { 12, 28 }, y = { 17, 22 }, text = "A GRAVITY ZONE again: walk with {walkleft}, jump with {walkup}, but not from LIGHT BLUE." },
    })
end
