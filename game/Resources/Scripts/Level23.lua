-- Every idea so far in one level: phasing, a current to cross with a run-up, a checkpoint, the
-- power-up's wider ring pulling a box from afar, a strong zone with an icy floor, a high step, pits.
function Init()
    Tutorial.Start({
        { text = "Everything together now: phase, run up, take the POWER-UP and bring the BOX." },
        { x = { 16, 30 }, y = { 12, 15 }, text = "The BOX up in its chute is far away. A small ring cannot reach it." },
        { x = { 36, 83 }, y = { 0, 12 }, text = "You cannot jump from LIGHT BLUE ice. Jump from the stone floor." },
    })
end
