-- Blue walls: held SPACE lets the player through, one let go of inside still slips on out, and blue
-- against red is no floor (nor ceiling) while SPACE is held. Each hint comes a second or more
-- before the moment it speaks of, and names the place it means so its panel stands clear of it.
function Init()
    Tutorial.Start({
        { text = "BLUE walls let you through while you hold {phase}. Hold {phase} and {gravityleft}!" },
        { x = { 30, 39 }, y = { 25, 29 }, spot = { x = { 30, 32 }, y = { 25, 25 } },
          text = "Let go of {phase} inside BLUE and you still slip on through. Fall through this floor!" },
        { x = { 29, 33 }, y = { 6, 24 }, spot = { x = { 28, 29 }, y = { 4, 6 } },
          text = "RED below! {gravityleft} and {phase} into the BLUE window, then let go of {phase} inside it." },
        { x = { 7, 28 }, y = { 4, 9 }, spot = { x = { 6, 27 }, y = { 3, 3 } },
          text = "{phase} is up, so this BLUE floor holds you: BLUE over RED is no floor while you phase." },
        { x = { 0, 6 }, y = { 4, 26 }, spot = { x = { 3, 5 }, y = { 25, 27 } },
          text = "{gravityup}, then tap {phase} through the BLUE ceiling: RED waits over the next one!" },
    })
end
