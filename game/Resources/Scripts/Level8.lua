-- Magenta walls: phased through only while SPACE is held; one let go of inside holds the player fast.
function Init()
    Tutorial.Start({
        { text = "MAGENTA walls phase like BLUE ones, but only while you hold {phase}. Hold {gravityup} and {phase} until you are through!" },
        { x = { 32, 37 }, y = { 8, 21 }, text = "Let go of {phase} inside MAGENTA and it holds you fast. Hold {phase} again to go on." },
        { x = { 19, 26 }, y = { 28, 31 }, text = "RED at the bottom! Phase into the MAGENTA block, let go of {phase} to stop, then hold {gravityleft} and {phase}." },
        { x = { 5, 15 }, y = { 13, 18 }, text = "MAGENTA over RED is no floor while {phase} is held. Down the MAGENTA column: no LEFT or RIGHT in it!" },
    })
end
