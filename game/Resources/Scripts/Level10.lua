-- Blue and magenta together: blue lets the player slip on without SPACE, magenta holds it fast.
function Init()
    Tutorial.Start({
        { text = "BLUE and MAGENTA together: without {phase} you slip on through BLUE, but MAGENTA holds you fast." },
        { x = { 25, 30 }, y = { 20, 33 }, text = "Hold {gravityleft} and {phase} through the MAGENTA window, all the way!" },
        { x = { 8, 21 }, y = { 24, 28 }, text = "Off {phase} over the BLUE floor!" },
        { x = { 4, 8 }, y = { 18, 27 }, text = "RED below! Let go of {phase} inside the BLUE layer: the MAGENTA under it catches you." },
        { x = { 12, 30 }, y = { 12, 16 }, text = "Off {phase} again, then up through the BLUE ceiling at the end." },
    })
end
