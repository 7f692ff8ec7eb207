-- Phasing while walking and jumping in a gravity zone, over slippery blocks.
function Init()
    Tutorial.Start({
        { text = "Walk with {walkleft}, jump with {walkup}, and phase with {phase}: all at once! First, {phase} through the BLUE wall." },
        { x = { 47, 53 }, text = "Off {phase}! This BLUE floor lies over RED." },
        { x = { 37, 42 }, text = "Hold {phase} through the MAGENTA wall, and keep holding it..." },
        { x = { 26, 33 }, text = "...and jump from the last grey block before the ice, through the BLUE curtain!" },
    })
end
