-- The first level teaches what the tiles do not: the arrow keys, the power-up, walking in a gravity
-- zone and the goal. Its tiles teach phasing, checkpoints, red blocks and slippery floors.
function Init()
    Tutorial.Start({
        { text = "You are too heavy to move. Use the {gravity} to change your gravity!" },
        { x = { 19, 28 }, y = { 5, 8 }, text = "Grab the POWER-UP ahead! Your gravity ring grows and reaches farther." },
        { x = { 24, 39.5 }, y = { 0, 4.5 }, text = "This striped GRAVITY ZONE holds you down. Walk with {walkleft} and {walkright}, jump with {walkup}!" },
        { x = { 41.5, 48 }, y = { 0, 4.5 }, text = "The YELLOW block is the goal. Touch it to finish the level!" },
    })
end
