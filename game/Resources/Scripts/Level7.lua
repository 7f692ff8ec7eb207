-- Blue walls: held SPACE lets the player through, one let go of inside still slips on out, and blue
-- against red is no floor (nor ceiling) while SPACE is held.
function Init()
    Tutorial.Start({
        { text = "BLUE walls let you through while you hold {phase}. Hold {phase} and {gravityleft}!" },
        { x = { 30, 39 }, y = { 25, 29 }, text = "Let go of {phase} inside BLUE and you still slip on through. Fall through this floor!" },
        { x = { 30, 33 }, y = { 14, 23 }, text = "RED below! Hold {gravityleft} and {phase} to phase into the BLUE window." },
        { x = { 20, 29 }, y = { 4, 9 }, text = "Let go of {phase} now! BLUE over RED is no floor while you phase." },
        { x = { 3, 6 }, y = { 14, 25 }, text = "Tap {phase} to rise through the BLUE ceiling, and let go at once: RED waits over the next one!" },
    })
end
