-- Checkpoints: each turn ends on green, so a red wall missed late costs one stretch, not the level.
function Init()
    Tutorial.Start({
        { text = "GREEN blocks are checkpoints: bump into one, and RED sends you back to it." },
        { x = { 11, 16 }, y = { 2, 9 }, text = "Hit the GREEN block above at speed: that is where you will come back." },
        { x = { 47, 66 }, y = { 8, 13 }, text = "A RED post ahead: keep to the ceiling and fly RIGHT, never DOWN." },
    })
end
