-- Slippery blocks in a gravity zone: no jumping from them, and walking pushes less on them.
function Init()
    Tutorial.Start({
        { text = "This striped GRAVITY ZONE holds you down, arrows or not: walk with {walkleft} and {walkright}, jump with {walkup}. Mind the RED ceiling!" },
        { x = { 56, 61 }, text = "LIGHT BLUE blocks are slippery: {walkup} cannot jump from them. Jump from the last grey block before them!" },
        { x = { 36, 42 }, text = "RED pit behind the ice: take off from grey, never from LIGHT BLUE." },
    })
end
