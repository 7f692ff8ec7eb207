-- Falling turns, red blocks and checkpoints together: pockets to choose on the way down a red-floored shaft.
function Init()
    Tutorial.Start({
        { text = "The floor below is RED! On the way down, turn into pockets ending in GREEN." },
        { x = { 12, 17 }, y = { 33, 38 }, text = "To leave, tap {gravityleft} to drift over the shaft, then {gravitydown}. Turn early, never late!" },
        { x = { 4, 9 }, y = { 23, 28 }, text = "Now the other way: tap {gravityright}, then {gravitydown}, and turn {gravityright} early." },
        { x = { 12, 17 }, y = { 13, 18 }, text = "The last pair hides the goal. Which side is YELLOW?" },
    })
end
